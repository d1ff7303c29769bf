#pragma once

#include "windows/viewwrapper.h"

class TreeGroupsView;

// The copy and export of a grouped view: the tree flattened to one row per element (TreeGroupsModelExport).
// The visible columns are the group rows' shown columns, level by level, then the header's shown columns in
// its visual order; the tree's own column 0 holds nothing and is never exported.
class BASIC_VIEWS_EXPORT ViewWrapperTreeGroups : public ViewWrapper
{
    Q_OBJECT
public:
    explicit ViewWrapperTreeGroups(TreeGroupsView* view);

    QList<int> columnsAll(const QAbstractItemModel* model) const override;
    QList<int> columnsVisible(const QAbstractItemModel* model, const QHeaderView* header) const override;
    // A TreeGroupsModelExport for a grouped model; the plain proxy otherwise.
    QSharedPointer<ExporterProxyModel> createProxyModel(
        const QAbstractItemModel* model, const QList<int>& columns) const override;

private:
    TreeGroupsView* m_view; // the parent
};
