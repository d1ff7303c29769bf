#include "views/qtreefastview.h"

#include "delegates/itemdelegateupdown.h"

QTreeFastView::QTreeFastView(QWidget* parent)
    : QTreeView(parent)
{ }

void QTreeFastView::paintEvent(QPaintEvent* event)
{
    ItemDelegateUpDown::advanceClocks(this, datetime::currentDateTime());
    QTreeView::paintEvent(event);
}

void QTreeFastView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    if (selectionModel() && selectionModel()->isSelected(index))
        opt.state |= QStyle::State_Active;
    QTreeView::drawRow(painter, opt, index);
}
