#pragma once

#include "trees/treegroupsmodel.h"

#include <functional>

// The grouped model of the terminal's grouped windows: the tree's column 0, then the group columns, then the
// element columns from elementColumnsFrom() on. An optional predicate narrows the records (the options of the
// instruments table); it runs on worker threads during builds and must only read the record.
class TerminalGroupsModel : public TreeGroupsModel
{
    Q_OBJECT
public:
    using Accept = std::function<bool(const Record&)>;

    explicit TerminalGroupsModel(Table* table, QObject* parent = nullptr);

    void setAccept(const Accept& accept) { m_accept = accept; }
    // The first column of element rows; the ones before it (but column 0) are the group rows'.
    void setElementColumnsFrom(int column) { m_firstElementColumn = column; }
    // Column `name` moved to `position`; -1 when the model has no such column.
    int placeColumn(const QString& name, int position);

    QPair<int, int> elementColumnRange() const override;
    bool filter(const Record& record) const override;

private:
    Accept m_accept;
    int m_firstElementColumn = 1;
};
