#include "trees/view/private/viewwrappertreegroups.h"

#include "trees/private/treegroupsmodelexport.h"
#include "trees/treegroupsmodel.h"
#include "trees/view/private/treegroupsviewgroupcolset.h"
#include "trees/view/treegroupsview.h"
#include "windows/private/viewwrappertable.h"

ViewWrapperTreeGroups::ViewWrapperTreeGroups(TreeGroupsView* view)
    : ViewWrapper(view, view)
    , m_view(view)
{
    setHeader(view->header());
}

QList<int> ViewWrapperTreeGroups::columnsAll(const QAbstractItemModel* model) const
{
    QList<int> columns = ViewWrapperTable::columnsAllTable(model);
    columns.removeAll(0);
    return columns;
}

QList<int> ViewWrapperTreeGroups::columnsVisible(const QAbstractItemModel* model, const QHeaderView* header) const
{
    QList<int> columns;
    const TreeGroupsViewGroupColSet& groups = m_view->groupColumns();
    for (int level = 0; model == m_view->groupsModel() && level < groups.levelCount(); ++level) {
        for (const auto& c : groups.visibleColumns(level)) {
            if (!columns.contains(c.column))
                columns << c.column;
        }
    }
    for (int column : ViewWrapperTable::columnsVisibleTable(model, header)) {
        if (column != 0 && !columns.contains(column))
            columns << column;
    }
    return columns;
}

QSharedPointer<ExporterProxyModel> ViewWrapperTreeGroups::createProxyModel(
    const QAbstractItemModel* model, const QList<int>& columns) const
{
    if (const auto* groups = qobject_cast<const TreeGroupsModel*>(model))
        return QSharedPointer<ExporterProxyModel>(new TreeGroupsModelExport(groups, columns));
    return ViewWrapper::createProxyModel(model, columns);
}
