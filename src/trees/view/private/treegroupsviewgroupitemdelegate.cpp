#include "trees/view/private/treegroupsviewgroupitemdelegate.h"

#include "columns/itemroles.h"
#include "trees/treegroupsmodel.h"
#include "trees/view/private/treegroupsviewgroupcolset.h"
#include "trees/view/treegroupsview.h"

#include <QMouseEvent>
#include <QPainter>

TreeGroupsViewGroupItemDelegate::TreeGroupsViewGroupItemDelegate(TreeGroupsView* view)
    : TreeGroupsViewItemDelegateOptimized(view)
    , m_view(view)
{ }

int TreeGroupsViewGroupItemDelegate::defaultWidth(const QModelIndex& group, int column) const
{
    const QFontMetrics metrics(TreeGroupsModel::groupFont(group, m_view->font()));
    const QAbstractItemModel* model = m_view->model();
    const QString title = model ? model->headerData(column, Qt::Horizontal).toString() : QString();
    return metrics.horizontalAdvance(title + QStringLiteral(" : ") + QStringLiteral("WW"));
}

QVector<TreeGroupsViewGroupItemDelegate::Segment> TreeGroupsViewGroupItemDelegate::segments(
    const QModelIndex& group, const QRect& rect) const
{
    QVector<Segment> result;
    const auto columns = m_view->groupColumns().visibleColumns(group.data(ItemLevelRole).toInt());
    if (columns.size() == 1) {
        result.append({ columns.first().column, rect });
        return result;
    }
    int x = rect.left();
    for (const auto& c : columns) {
        const int width = c.width > 0 ? c.width : defaultWidth(group, c.column);
        result.append({ c.column, QRect(x, rect.top(), width, rect.height()) });
        x += width;
    }
    return result;
}

QAbstractItemDelegate* TreeGroupsViewGroupItemDelegate::cellDelegate(const QModelIndex& cell) const
{
    QAbstractItemDelegate* own = m_view->itemDelegateForColumn(cell.column());
    return own ? own : m_view->delegateElement();
}

void TreeGroupsViewGroupItemDelegate::paint(
    QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // Each cell's delegate frames its own segment: the frames are the separators.
    painter->save();
    painter->setClipRect(option.rect);
    for (const Segment& segment : segments(index, option.rect)) {
        const QModelIndex cell = index.siblingAtColumn(segment.column);
        QStyleOptionViewItem cellOption = option;
        cellOption.rect = segment.rect;
        cellDelegate(cell)->paint(painter, cellOption, cell);
    }
    painter->restore();
}

bool TreeGroupsViewGroupItemDelegate::editorEvent(
    QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const auto* groups = qobject_cast<const TreeGroupsModel*>(model);
    const auto* mouse = dynamic_cast<const QMouseEvent*>(event);
    if (!groups || !mouse)
        return false;
    for (const Segment& segment : segments(index, option.rect)) {
        if (!segment.rect.contains(mouse->pos()))
            continue;
        const QModelIndex element = groups->elementIndex(index.siblingAtColumn(segment.column));
        if (!element.isValid())
            return false;
        QStyleOptionViewItem cellOption = option;
        cellOption.rect = segment.rect;
        return cellDelegate(element)->editorEvent(event, model, cellOption, element);
    }
    return false;
}
