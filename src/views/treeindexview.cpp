#include "views/treeindexview.h"

#include "views/private/treeindexview_p.h"

#include <QHeaderView>

TreeIndexView::TreeIndexView(QWidget* parent)
    : TreeIndexView(*new TreeIndexViewPrivate, parent)
{ }

TreeIndexView::TreeIndexView(TreeIndexViewPrivate& dd, QWidget* parent)
    : QTreeFastView(dd, parent)
{
    setUniformRowHeights(true);
}

int TreeIndexView::itemHeight() const
{
    Q_D(const TreeIndexView);
    if (d->itemHeight <= 0)
        const_cast<TreeIndexView*>(this)->updateItemHeights();
    return d->itemHeight;
}

void TreeIndexView::updateItemHeights()
{
    Q_D(TreeIndexView);
    int height = fontMetrics().height() + 2;
    if (model() && model()->rowCount() > 0) {
        QStyleOptionViewItem option = viewOptions();
        for (int column = 0; column < model()->columnCount(); ++column) {
            const QModelIndex index = model()->index(0, column);
            if (QAbstractItemDelegate* delegate = itemDelegate(index))
                height = qMax(height, delegate->sizeHint(option, index).height());
        }
    }
    d->itemHeight = height;
}

int TreeIndexView::indentationForIndex(const QModelIndex& index) const
{
    int depth = rootIsDecorated() ? 1 : 0;
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent())
        ++depth;
    return depth * indentation();
}

int TreeIndexView::topCoordinateForIndex(const QModelIndex& index) const
{
    if (!isIndexVisible(index))
        return -1;
    return visualRect(index).top();
}

bool TreeIndexView::isIndexVisible(const QModelIndex& index) const
{
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent()) {
        if (!isExpanded(up))
            return false;
    }
    return index.isValid();
}

QModelIndex TreeIndexView::treeWalkVisible(const QModelIndex& index) const
{
    if (!index.isValid())
        return model() ? model()->index(0, 0) : QModelIndex();
    return indexBelow(index);
}
