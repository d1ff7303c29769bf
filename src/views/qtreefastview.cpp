#include "views/qtreefastview.h"

#include "delegates/itemdelegateupdown.h"
#include "delegates/viewscolormanager.h"
#include "views/private/qtreefastview_p.h"
#include "views/repaintpacer.h"

QTreeFastView::QTreeFastView(QWidget* parent)
    : QTreeFastView(*new QTreeFastViewPrivate, parent)
{ }

QTreeFastView::QTreeFastView(QTreeFastViewPrivate& dd, QWidget* parent)
    : QTreeView(parent)
    , m_d(&dd)
{
    m_d->repaints = new RepaintPacer(viewport(), this);
    // Colours applied on their settings pages show at once.
    if (ViewsColorManager* colors = ViewsColorManager::instance())
        connect(colors, &ViewsColorManager::changed, viewport(), QOverload<>::of(&QWidget::update));
}

QTreeFastView::~QTreeFastView() = default;

RepaintPacer* QTreeFastView::repaintPacer() const
{
    Q_D(const QTreeFastView);
    return d->repaints;
}

void QTreeFastView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QVector<int>& roles)
{
    // Rows of other heights need Qt's refresh, and an open editor takes the new value from Qt's path.
    if (!uniformRowHeights() || state() == EditingState) {
        QTreeView::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    if (topLeft.isValid() && bottomRight.isValid())
        d_func()->repaints->updateAll();
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
