#include "views/qtreefastview.h"

QTreeFastView::QTreeFastView(QWidget* parent)
    : QTreeView(parent)
{ }

void QTreeFastView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    if (selectionModel() && selectionModel()->isSelected(index))
        opt.state |= QStyle::State_Active;
    QTreeView::drawRow(painter, opt, index);
}
