#pragma once

#include "events/eventclock.h"

// The alerts' clock, moved by the test; installed while it lives.
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
    void advance(int seconds) { m_now += qint64(seconds) * 1000; }

private:
    qint64 m_now;
};
