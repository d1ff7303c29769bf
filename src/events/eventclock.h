#pragma once

#include "basic_views_export.h"

#include <QDateTime>

class QTimer;

// The time alerts measure their delays against, and that times their retries: the system's clock unless another
// one is installed, so that a test moves time instead of waiting for it.
class BASIC_VIEWS_EXPORT EventClock
{
public:
    virtual ~EventClock();
    virtual qint64 currentMSecsSinceEpoch() const = 0;
    // Starts `timer` to time out `msecs` later by this clock; the system's clock simply starts it.
    virtual void startTimer(QTimer& timer, int msecs) const;

    // The installed clock, or the system's.
    static const EventClock* instance();
    // Installs a clock (not owned) until another replaces it; null brings the system's back.
    static void setInstance(const EventClock* clock);

    static QDateTime now();
    // Starts `timer` by the installed clock.
    static void start(QTimer& timer, int msecs);
    // The delay rule of every alert: true when more than `delaySeconds` seconds have passed since `last`, and
    // always when there was no last alert or the delay is not checked.
    static bool delayPassed(const QDateTime& last, int delaySeconds, bool checkDelay);
};
