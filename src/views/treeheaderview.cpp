#include "views/treeheaderview.h"

#include "views/headerproxystyle.h"
#include "views/private/treeheaderview_p.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOptionHeader>

TreeHeaderView::TreeHeaderView(QWidget* parent)
    : HeaderView(*new TreeHeaderViewPrivate, Qt::Horizontal, parent)
{
    setSectionsMovable(true);
    if (HeaderProxyStyle* style = HeaderProxyStyle::instance())
        setStyle(style);
    connect(this, &QHeaderView::sectionMoved, this, &TreeHeaderView::sectionMoved);
}

bool TreeHeaderView::isFirstColumnLocked() const
{
    Q_D(const TreeHeaderView);
    return d->firstColumnLocked;
}

void TreeHeaderView::setFirstColumnLocked(bool locked)
{
    Q_D(TreeHeaderView);
    d->firstColumnLocked = locked;
}

bool TreeHeaderView::isExpandMarkShown() const
{
    Q_D(const TreeHeaderView);
    return d->expandMarkShown;
}

bool TreeHeaderView::isCollapsed() const
{
    Q_D(const TreeHeaderView);
    return d->collapsed;
}

QSize TreeHeaderView::sizeHint() const
{
    Q_D(const TreeHeaderView);
    const QSize hint = QHeaderView::sizeHint();
    if (d->sectionHeight <= 0)
        return hint;
    return orientation() == Qt::Horizontal ? QSize(hint.width(), d->sectionHeight)
                                           : QSize(d->sectionHeight, hint.height());
}

void TreeHeaderView::setExpandMarkShown(bool shown)
{
    Q_D(TreeHeaderView);
    if (d->expandMarkShown == shown)
        return;
    d->expandMarkShown = shown;
    updateSection(0);
}

void TreeHeaderView::setCollapsed(bool collapsed)
{
    Q_D(TreeHeaderView);
    if (d->collapsed == collapsed)
        return;
    d->collapsed = collapsed;
    updateSection(0);
}

void TreeHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    Q_D(const TreeHeaderView);
    const bool marked = logicalIndex == 0 && d->expandMarkShown;
    // The mark takes a square in front, over the rows' own branch marks, and the title moves after it.
    const int side = marked ? qMin(rect.height(), rect.width()) : 0;
    // The style may leave the painter clipped to the label.
    painter->save();
    HeaderView::paintSection(painter, rect.adjusted(side, 0, 0, 0), logicalIndex);
    painter->restore();
    if (!marked)
        return;
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = QRect(rect.left(), rect.top(), side, rect.height());
    option.section = logicalIndex;
    option.position = QStyleOptionHeader::Beginning;
    painter->save();
    style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
    painter->restore();
    HeaderProxyStyle::drawExpandMark(
        painter, QRectF(option.rect).center(), d->collapsed, option.palette.color(QPalette::WindowText));
}

bool TreeHeaderView::event(QEvent* event)
{
    Q_D(TreeHeaderView);
    if (event->type() == QEvent::Polish) {
        QStyleOptionHeader option;
        option.initFrom(this);
        d->sectionHeight = style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this).height();
    }
    return HeaderView::event(event);
}

void TreeHeaderView::sectionMoved(int logical, int oldVisual, int newVisual)
{
    Q_D(TreeHeaderView);
    if (!d->firstColumnLocked)
        return;
    if (logical != 0 && newVisual == 0)
        moveSection(visualIndex(0), 0);
    else if (logical == 0 && newVisual != 0)
        moveSection(newVisual, oldVisual);
}
