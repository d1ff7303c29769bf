#include "core/host/widgets/pushbuttonsend.h"

#include <QEvent>
#include <QTimer>

PushButtonSend::PushButtonSend(QWidget* parent)
    : PushButtonSend(tr("Отправить"), parent)
{ }

PushButtonSend::PushButtonSend(const QString& text, QWidget* parent)
    : QPushButton(text, parent)
{
    // Made in the body: event() sees the child-added event of the timer and reads m_guard.
    m_guard = new QTimer(this);
    m_guard->setSingleShot(true);
    m_guard->setInterval(700);
    // Connected first, so the guard is up before any receiver of the click runs the event loop.
    connect(this, &QPushButton::clicked, this, &PushButtonSend::onClicked);
}

void PushButtonSend::setSide(QChar side)
{
    m_side = side;
    QPalette p = palette();
    if (side == QLatin1Char('B'))
        p.setColor(QPalette::Button, QColor(0x2e, 0x9e, 0x4f));
    else if (side == QLatin1Char('S'))
        p.setColor(QPalette::Button, QColor(0xd0, 0x3b, 0x3b));
    else
        p = QPalette();
    if (side == QLatin1Char('B') || side == QLatin1Char('S'))
        p.setColor(QPalette::ButtonText, Qt::white);
    setPalette(p);
}

void PushButtonSend::setGuardTime(int ms)
{
    m_guard->setInterval(qMax(0, ms));
}

int PushButtonSend::guardTime() const
{
    return m_guard->interval();
}

bool PushButtonSend::isGuarded() const
{
    return m_guard->isActive();
}

void PushButtonSend::onClicked()
{
    if (m_guard->interval() > 0)
        m_guard->start();
}

bool PushButtonSend::event(QEvent* event)
{
    if (m_guard && m_guard->isActive()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
            event->accept();
            return true;
        default:
            break;
        }
    }
    return QPushButton::event(event);
}
