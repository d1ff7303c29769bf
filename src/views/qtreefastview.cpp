#include "views/qtreefastview.h"

#include "delegates/itemdelegateupdown.h"
#include "delegates/viewscolormanager.h"

QTreeFastView::QTreeFastView(QWidget* parent)
    : QTreeView(parent)
{
    // Colours applied on their settings pages show at once.
    if (ViewsColorManager* colors = ViewsColorManager::instance())
        connect(colors, &ViewsColorManager::changed, viewport(), QOverload<>::of(&QWidget::update));
}

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
