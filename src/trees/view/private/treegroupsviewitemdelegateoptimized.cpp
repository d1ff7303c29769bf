#include "trees/view/private/treegroupsviewitemdelegateoptimized.h"

TreeGroupsViewItemDelegateOptimized::TreeGroupsViewItemDelegateOptimized(QObject* parent)
    : ItemDelegate(parent)
{ }

QSize TreeGroupsViewItemDelegateOptimized::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (m_rowHeight <= 0)
        return ItemDelegate::sizeHint(option, index);
    // The width of a fixed-height row still follows its text, for fitting a column's width.
    return QSize(ItemDelegate::sizeHint(option, index).width(), m_rowHeight);
}
