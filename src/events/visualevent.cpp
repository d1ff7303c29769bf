#include "events/visualevent.h"
#include "events/private/visualevent_p.h"

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
    : d_ptr(new VisualEventPrivate)
{
    Q_D(VisualEvent);
    d->timer = new QTimer;
    d->timerHelper = new TimerHelper(this);
    messageKey();
    d->timer->setSingleShot(true);
    QObject::connect(d->timer, &QTimer::timeout, d->timerHelper, &TimerHelper::onTimeout);
}

VisualEvent::~VisualEvent()
{
    Q_D(VisualEvent);
    d->timer->stop();
    delete d->timerHelper;
    delete d->timer;
}

void VisualEvent::setWidget(QWidget* widget)
{
    Q_D(VisualEvent);
    d->widget = widget;
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
    Q_D(const VisualEvent);
    settings.setValue(QLatin1String(typeKey), unsigned(d->eventType));
    settings.setValue(QLatin1String(delayKey), d->delay);
    settings.setValue(QStringLiteral("VisualEvent/") + messageKey(), d->message);
}

void VisualEvent::restore(const Settings&, const Settings& settings)
{
    Q_D(VisualEvent);
    d->eventType = EventType(settings.value(QLatin1String(typeKey), 0u).toUInt() & NotificationAndTaskbar);
    d->delay = settings.value(QLatin1String(delayKey), DefaultDelay).toInt();
    d->message = settings.value(QStringLiteral("VisualEvent/") + messageKey()).toString();
}

bool VisualEvent::canShowEvent(bool checkDelay) const
{
    Q_D(const VisualEvent);
    return d->eventType != NoEvent && EventClock::delayPassed(d->lastShown, d->delay, checkDelay);
}

void VisualEvent::showEvent(bool checkDelay, const QString& text)
{
    Q_D(VisualEvent);
    showEvent(checkDelay, d->message + text, d->eventType, true);
}

void VisualEvent::showEvent(bool checkDelay, const QString& text, int type, bool updateTime)
{
    Q_D(VisualEvent);
    if (type == 0 || !EventClock::delayPassed(d->lastShown, d->delay, checkDelay))
        return;
    if ((type & WindowBits) && holdBack(text))
        type &= ~WindowBits;
    showEventImmediately(type, text);
    // A text that only waits counts as shown: the delay runs from now.
    if (updateTime)
        d->lastShown = EventClock::now();
}

bool VisualEvent::holdBack(const QString& text)
{
    Q_D(VisualEvent);
    if (!mainWindowInBackground())
        return false;
    d->pending << text;
    EventClock::start(*d->timer, RetryMs);
    return true;
}

void VisualEvent::showEventImmediately(int type, const QString& text)
{
    Q_D(VisualEvent);
    if (type & WindowBits)
        notify(text);
    if (type & TaskbarBit)
        DockTile::alert(true, d->widget);
}

void VisualEvent::onRetry()
{
    Q_D(VisualEvent);
    d->timer->stop();
    const QStringList texts = std::exchange(d->pending, {});
    if (d->eventType == NoEvent)
        return;
    if (mainWindowInBackground()) {
        d->pending = texts;
        EventClock::start(*d->timer, RetryMs);
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

VisualEvent::EventType VisualEvent::eventType() const
{
    return d_func()->eventType;
}

void VisualEvent::setEventType(EventType type)
{
    d_func()->eventType = type;
}

int VisualEvent::delay() const
{
    return d_func()->delay;
}

void VisualEvent::setDelay(int seconds)
{
    d_func()->delay = seconds;
}

QString VisualEvent::eventMessage() const
{
    return d_func()->message;
}

void VisualEvent::setEventMessage(const QString& message)
{
    d_func()->message = message;
}
