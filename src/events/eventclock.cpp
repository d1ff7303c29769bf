#include "events/eventclock.h"

#include <QTimer>

namespace {

class SystemClock : public EventClock
{
public:
    qint64 currentMSecsSinceEpoch() const override { return QDateTime::currentMSecsSinceEpoch(); }
};

const SystemClock systemClock;
const EventClock* installed = nullptr;

} // namespace

EventClock::~EventClock() = default;

void EventClock::startTimer(QTimer& timer, int msecs) const
{
    timer.start(msecs);
}

const EventClock* EventClock::instance()
{
    return installed ? installed : &systemClock;
}

void EventClock::setInstance(const EventClock* clock)
{
    installed = clock;
}

QDateTime EventClock::now()
{
    return QDateTime::fromMSecsSinceEpoch(instance()->currentMSecsSinceEpoch());
}

void EventClock::start(QTimer& timer, int msecs)
{
    instance()->startTimer(timer, msecs);
}

bool EventClock::delayPassed(const QDateTime& last, int delaySeconds, bool checkDelay)
{
    if (!checkDelay || !last.isValid())
        return true;
    return instance()->currentMSecsSinceEpoch() - last.toMSecsSinceEpoch() > qint64(delaySeconds) * 1000;
}
