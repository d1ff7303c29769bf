#include "views/treeheaderview.h"

#include "views/headerproxystyle.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOptionHeader>

TreeHeaderView::TreeHeaderView(QWidget* parent)
    : HeaderView(Qt::Horizontal, parent)
{
    setSectionsMovable(true);
    if (HeaderProxyStyle* style = HeaderProxyStyle::instance())
        setStyle(style);
    connect(this, &QHeaderView::sectionMoved, this, &TreeHeaderView::sectionMoved);
}

QSize TreeHeaderView::sizeHint() const
{
    const QSize hint = QHeaderView::sizeHint();
    if (m_sectionHeight <= 0)
        return hint;
    return orientation() == Qt::Horizontal ? QSize(hint.width(), m_sectionHeight)
                                           : QSize(m_sectionHeight, hint.height());
}

void TreeHeaderView::setExpandMarkShown(bool shown)
{
    if (m_expandMarkShown == shown)
        return;
    m_expandMarkShown = shown;
    updateSection(0);
}

void TreeHeaderView::setCollapsed(bool collapsed)
{
    if (m_collapsed == collapsed)
        return;
    m_collapsed = collapsed;
    updateSection(0);
}

void TreeHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    const bool marked = logicalIndex == 0 && m_expandMarkShown;
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
        painter, QRectF(option.rect).center(), m_collapsed, option.palette.color(QPalette::WindowText));
}

bool TreeHeaderView::event(QEvent* event)
{
    if (event->type() == QEvent::Polish) {
        QStyleOptionHeader option;
        option.initFrom(this);
        m_sectionHeight = style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this).height();
    }
    return HeaderView::event(event);
}

void TreeHeaderView::sectionMoved(int logical, int oldVisual, int newVisual)
{
    if (!m_firstColumnLocked)
        return;
    if (logical != 0 && newVisual == 0)
        moveSection(visualIndex(0), 0);
    else if (logical == 0 && newVisual != 0)
        moveSection(newVisual, oldVisual);
}
