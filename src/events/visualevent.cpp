#include "events/visualevent.h"

#include "core/db/settings.h"
#include "core/host/icore.h"
#include "core/host/widgets/docktile.h"
#include "events/eventclock.h"
#include "events/private/visualeventsettingspage.h"

#include <QTimer>
#include <QWidget>

#include <utility>

namespace {

const char* const typeKey = "VisualEvent/eventType";
const char* const delayKey = "VisualEvent/delay";
constexpr int DefaultDelay = 10;
constexpr int RetryMs = 10000;
constexpr int WindowBits = VisualEvent::NotificationWindow;
constexpr int TaskbarBit = VisualEvent::TaskbarAlert;

bool mainWindowInBackground()
{
    const ICore* core = ICore::instance();
    return core && core->isMainWindowInBackground();
}

void notify(const QString& text)
{
    if (ICore* core = ICore::instance())
        core->notify(text);
}

} // namespace

// Retries the texts held back while the main window was in the background.
class VisualEvent::TimerHelper : public QObject
{
    Q_OBJECT
public:
    explicit TimerHelper(VisualEvent* owner)
        : m_owner(owner)
    { }

public Q_SLOTS:
    void onTimeout() { m_owner->onRetry(); }

private:
    VisualEvent* m_owner; // not owned: owns this
};

VisualEvent::VisualEvent()
    : m_timer(new QTimer)
    , m_timerHelper(new TimerHelper(this))
{
    messageKey();
    m_timer->setSingleShot(true);
    QObject::connect(m_timer, &QTimer::timeout, m_timerHelper, &TimerHelper::onTimeout);
}

VisualEvent::~VisualEvent()
{
    m_timer->stop();
    delete m_timerHelper;
    delete m_timer;
}

void VisualEvent::setWidget(QWidget* widget)
{
    m_widget = widget;
}

QString VisualEvent::messageKey()
{
    // Not made before a host core answers: the messages would go for good under a key the host never reads.
    static QString key;
    if (key.isNull()) {
        const ICore* core = ICore::instance();
        if (!core)
            return QStringLiteral("message_");
        key = QStringLiteral("message_") + core->visualEventMessageKey();
    }
    return key;
}

void VisualEvent::store(Settings& settings) const
{
    settings.setValue(QLatin1String(typeKey), unsigned(m_eventType));
    settings.setValue(QLatin1String(delayKey), m_delay);
    settings.setValue(QStringLiteral("VisualEvent/") + messageKey(), m_message);
}

void VisualEvent::restore(const Settings&, const Settings& settings)
{
    m_eventType = EventType(settings.value(QLatin1String(typeKey), 0u).toUInt() & NotificationAndTaskbar);
    m_delay = settings.value(QLatin1String(delayKey), DefaultDelay).toInt();
    m_message = settings.value(QStringLiteral("VisualEvent/") + messageKey()).toString();
}

bool VisualEvent::canShowEvent(bool checkDelay) const
{
    return m_eventType != NoEvent && EventClock::delayPassed(m_lastShown, m_delay, checkDelay);
}

void VisualEvent::showEvent(bool checkDelay, const QString& text)
{
    showEvent(checkDelay, m_message + text, m_eventType, true);
}

void VisualEvent::showEvent(bool checkDelay, const QString& text, int type, bool updateTime)
{
    if (type == 0 || !EventClock::delayPassed(m_lastShown, m_delay, checkDelay))
        return;
    if ((type & WindowBits) && holdBack(text))
        type &= ~WindowBits;
    showEventImmediately(type, text);
    // A text that only waits counts as shown: the delay runs from now.
    if (updateTime)
        m_lastShown = EventClock::now();
}

bool VisualEvent::holdBack(const QString& text)
{
    if (!mainWindowInBackground())
        return false;
    m_pending << text;
    EventClock::start(*m_timer, RetryMs);
    return true;
}

void VisualEvent::showEventImmediately(int type, const QString& text)
{
    if (type & WindowBits)
        notify(text);
    if (type & TaskbarBit)
        DockTile::alert(true, m_widget);
}

void VisualEvent::onRetry()
{
    m_timer->stop();
    const QStringList texts = std::exchange(m_pending, {});
    if (m_eventType == NoEvent)
        return;
    if (mainWindowInBackground()) {
        m_pending = texts;
        EventClock::start(*m_timer, RetryMs);
        return;
    }
    // The sink may close the view this event belongs to: nothing of this object is touched from here on.
    for (const QString& text : texts)
        notify(text);
}

IViewSettingsPage* VisualEvent::getSettingsPage(bool delayAvailable, const QString& caption, QObject* parent,
    QWidget* subWidget, const char* restoreSlot, const char* applySlot) const
{
    auto* page = new VisualEventSettingsPage(parent);
    page->setDelayAvailable(delayAvailable);
    if (!caption.isEmpty())
        page->setGroupCaption(caption);
    page->setSubWidget(subWidget, restoreSlot, applySlot);
    return page;
}

#include "visualevent.moc"
