#include "views/headerproxystyle.h"

#include <QCommonStyle>
#include <QPainter>

namespace {
HeaderProxyStyle* theInstance = nullptr;
} // namespace

HeaderProxyStyle::HeaderProxyStyle(QStyle* style)
    : QProxyStyle(style)
{
    theInstance = this;
    setObjectName(QStringLiteral("headerProxyStyle"));
}

HeaderProxyStyle::~HeaderProxyStyle()
{
    if (theInstance == this)
        theInstance = nullptr;
}

HeaderProxyStyle* HeaderProxyStyle::instance()
{
    return theInstance;
}

void HeaderProxyStyle::drawExpandMark(QPainter* painter, const QPointF& centre, bool collapsed, const QColor& color)
{
    QPolygonF triangle;
    if (collapsed)
        triangle << QPointF(-3, -4) << QPointF(3, 0) << QPointF(-3, 4);
    else
        triangle << QPointF(-4, -2) << QPointF(4, -2) << QPointF(0, 3);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(color);
    painter->drawPolygon(triangle.translated(centre));
    painter->restore();
}

void HeaderProxyStyle::drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
    bool enabled, const QString& text, QPalette::ColorRole textRole) const
{
    const QString elided = painter->fontMetrics().elidedText(text, Qt::ElideRight, rect.width());
    if (elided != text)
        flags = (flags & ~Qt::AlignHorizontal_Mask) | Qt::AlignLeft;
    QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, elided, textRole);
}

void HeaderProxyStyle::drawControl(
    ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    // The common implementation draws the label through this->drawItemText(); native styles may not.
    if (element == CE_HeaderLabel)
        QCommonStyle::drawControl(element, option, painter, widget);
    else
        QProxyStyle::drawControl(element, option, painter, widget);
}
