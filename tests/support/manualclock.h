#pragma once

#include "events/eventclock.h"

#include <QList>
#include <QPointer>
#include <QTimer>

#include <limits>
#include <utility>

// The alerts' clock, moved by the test; installed while it lives. Timers started by it time out when the clock
// is moved past their time, never by themselves.
class ManualClock : public EventClock
{
public:
    explicit ManualClock(qint64 msecs = 1700000000000)
        : m_now(msecs)
    {
        EventClock::setInstance(this);
    }
    ~ManualClock() override { EventClock::setInstance(nullptr); }
    qint64 currentMSecsSinceEpoch() const override { return m_now; }

    void startTimer(QTimer& timer, int msecs) const override
    {
        // Running, as its owner expects, but too long to ever come first.
        timer.start(std::numeric_limits<int>::max());
        m_timers.removeAll({ &timer, 0 });
        m_timers.append({ &timer, m_now + msecs });
    }

    // Moves time on and times out the timers whose time came, that are still running.
    void advance(int seconds)
    {
        m_now += qint64(seconds) * 1000;
        const QList<Started> started = std::exchange(m_timers, {});
        for (const Started& entry : started) {
            if (entry.due > m_now) {
                m_timers.append(entry);
            } else if (entry.timer && entry.timer->isActive()) {
                if (entry.timer->isSingleShot())
                    entry.timer->stop();
                QMetaObject::invokeMethod(entry.timer, "timeout");
            }
        }
    }

private:
    struct Started
    {
        QPointer<QTimer> timer;
        qint64 due;
        // One entry per timer: a restart replaces the earlier one.
        bool operator==(const Started& other) const { return timer == other.timer; }
    };

    qint64 m_now;
    mutable QList<Started> m_timers;
};
