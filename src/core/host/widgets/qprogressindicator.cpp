#include "core/host/widgets/qprogressindicator.h"

#include <QPainter>
#include <QTimerEvent>

QProgressIndicator::QProgressIndicator(QWidget* parent)
    : QWidget(parent)
    , m_color(palette().color(QPalette::WindowText))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusPolicy(Qt::NoFocus);
}

void QProgressIndicator::startAnimation()
{
    m_angle = 0;
    if (!m_timer)
        m_timer = startTimer(m_delay);
    update();
}

void QProgressIndicator::stopAnimation()
{
    if (m_timer)
        killTimer(m_timer);
    m_timer = 0;
    update();
}

void QProgressIndicator::setDisplayedWhenStopped(bool displayed)
{
    m_displayedWhenStopped = displayed;
    update();
}

void QProgressIndicator::setColor(const QColor& color)
{
    m_color = color;
    update();
}

void QProgressIndicator::setAnimationDelay(int ms)
{
    m_delay = qMax(1, ms);
    if (m_timer) {
        killTimer(m_timer);
        m_timer = startTimer(m_delay);
    }
}

QSize QProgressIndicator::sizeHint() const
{
    return QSize(20, 20);
}

void QProgressIndicator::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_timer)
        return QWidget::timerEvent(event);
    m_angle = (m_angle + 30) % 360;
    update();
}

// Twelve capsules round the centre, fading behind the leading one.
void QProgressIndicator::paintEvent(QPaintEvent*)
{
    if (!m_displayedWhenStopped && !isAnimated())
        return;
    const int side = qMin(width(), height());
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal outer = (side - 1) * 0.5;
    const qreal inner = outer * 0.38;
    const qreal capsuleWidth = qMax<qreal>(1.5, side * 0.1);
    const qreal capsuleLength = outer - inner;
    p.translate(rect().center() + QPointF(0.5, 0.5));
    for (int i = 0; i < 12; ++i) {
        QColor color = m_color;
        color.setAlphaF(1.0 - (i / 12.0));
        p.save();
        p.rotate(m_angle - i * 30.0);
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawRoundedRect(QRectF(-capsuleWidth / 2, -(inner + capsuleLength), capsuleWidth, capsuleLength),
            capsuleWidth / 2, capsuleWidth / 2);
        p.restore();
    }
}
