#pragma once

#include "export/exporterproxymodel.h"

#include <QPair>

class TreeGroupsModel;

// A grouped tree flattened for export: one row per element, in the order of the tree (collapsed groups
// included). Element columns read the element; the group rows' columns read the element's group row, that
// is the group's first element. The rows and their groups are taken when the export begins, so a live tree
// exports one consistent set of rows; each row's values are read as it is written. Outside an export the proxy
// shows the tree's top rows.
class BASIC_VIEWS_EXPORT TreeGroupsModelExport : public ExporterProxyModel
{
    Q_OBJECT
public:
    // The model is not owned.
    TreeGroupsModelExport(const TreeGroupsModel* model, const QList<int>& columns, QObject* parent = nullptr);

    void endExport() override;

protected:
    QVector<Record> snapshotRows() override;
    Record snapshotRecord(int row, int sourceColumn, const Record& rowRecord) const override;

private:
    QVector<Record> m_groups; // per row, the record its group row shows
    QPair<int, int> m_elementColumns { -1, -1 };
};
