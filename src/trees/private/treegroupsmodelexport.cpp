#include "trees/private/treegroupsmodelexport.h"

#include "trees/groupmenttreeitem.h"
#include "trees/treegroupsmodel.h"

namespace {

// The first element of a group: what the group row shows.
const GroupmentTreeItem* firstElement(const GroupmentTreeItem* item)
{
    while (item && item->childCount() > 0)
        item = item->child(0);
    return item;
}

} // namespace

TreeGroupsModelExport::TreeGroupsModelExport(const TreeGroupsModel* model, const QList<int>& columns, QObject* parent)
    : ExporterProxyModel(parent)
{
    setSourceModel(model);
    setSourceColumns(columns);
}

QVector<Record> TreeGroupsModelExport::snapshotRows()
{
    QVector<Record> rows;
    m_groups.clear();
    const auto* model = qobject_cast<const TreeGroupsModel*>(sourceModel());
    if (!model)
        return rows;
    m_elementColumns = model->elementColumnRange();
    const int elementLevel = model->groupmentList().size() - 1;
    rows.reserve(model->recordsCount());
    m_groups.reserve(model->recordsCount());
    // Depth first without QModelIndex: the items are walked directly, a parent before its children.
    QVector<QPair<const GroupmentTreeItem*, int>> stack { { model->rootItem(), 0 } };
    while (!stack.isEmpty()) {
        auto& top = stack.last();
        const GroupmentTreeItem* child = top.first->child(top.second++);
        if (!child) {
            stack.removeLast();
            continue;
        }
        if (stack.size() - 1 == elementLevel) {
            rows << child->record();
            const GroupmentTreeItem* group = child->parent();
            const GroupmentTreeItem* shown = group == model->rootItem() ? child : firstElement(group);
            m_groups << shown->record();
        } else {
            stack.append({ child, 0 });
        }
    }
    return rows;
}

Record TreeGroupsModelExport::snapshotRecord(int row, int sourceColumn, const Record& rowRecord) const
{
    if (sourceColumn >= m_elementColumns.first && sourceColumn <= m_elementColumns.second)
        return rowRecord;
    return m_groups.value(row);
}

void TreeGroupsModelExport::endExport()
{
    ExporterProxyModel::endExport();
    m_groups.clear();
    m_groups.squeeze();
}
