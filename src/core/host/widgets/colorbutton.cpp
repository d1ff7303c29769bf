#include "core/host/widgets/colorbutton.h"

#include <QColorDialog>
#include <QPainter>

ColorButton::ColorButton(QWidget* parent)
    : QToolButton(parent)
{
    setMinimumSize(40, 22);
    connect(this, &QToolButton::clicked, this, &ColorButton::pickColor);
}

void ColorButton::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
    Q_EMIT colorChanged(color);
}

void ColorButton::pickColor()
{
    const QColor chosen = QColorDialog::getColor(m_color, this);
    if (chosen.isValid())
        setColor(chosen);
}

void ColorButton::paintEvent(QPaintEvent* event)
{
    QToolButton::paintEvent(event);
    QPainter painter(this);
    const QRect swatch = rect().adjusted(5, 5, -5, -5);
    if (m_color.isValid()) {
        painter.fillRect(swatch, m_color);
    } else {
        // No colour: the palette's own is used; show it crossed out.
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawLine(swatch.topLeft(), swatch.bottomRight());
    }
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(swatch);
}
