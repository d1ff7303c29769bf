#include "core/host/widgets/pushbuttonsend.h"

#include <QTimer>

PushButtonSend::PushButtonSend(QWidget* parent)
    : PushButtonSend(tr("Отправить"), parent)
{ }

PushButtonSend::PushButtonSend(const QString& text, QWidget* parent)
    : QPushButton(text, parent)
    , m_guard(new QTimer(this))
{
    m_guard->setSingleShot(true);
    m_guard->setInterval(700);
    connect(m_guard, &QTimer::timeout, this, &PushButtonSend::onGuardEnded);
    // Connected first, so the button is disabled before any receiver of the click runs the event loop.
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
    if (m_guard->interval() == 0 || m_guard->isActive())
        return;
    m_enabledBeforeGuard = isEnabled();
    setEnabled(false);
    m_guard->start();
}

void PushButtonSend::onGuardEnded()
{
    setEnabled(m_enabledBeforeGuard);
}
