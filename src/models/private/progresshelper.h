#pragma once

#include "basic_views_export.h"

#include <QElapsedTimer>
#include <QString>

#include <atomic>
#include <thread>

class IProgressService;

// Reports a long build to the host's progress service, about every 40 ms: the step between reports converges on
// the number of records handled in 40 ms, so the timer is read once per step. Counts only rise. The end is
// reported when the helper goes, also when an exception leaves the build.
//
// A build that goes over its records more than once (filtered, then sorted) counts `passes` units a record; the
// host sees the records: a total of `records`, and the units done divided by the passes.
class BASIC_VIEWS_EXPORT ProgressHelper
{
public:
    ProgressHelper(const QString& message, qint64 records, int passes = 1);
    virtual ~ProgressHelper();

    // Called per record with the running count.
    void progress(qint64 count)
    {
        if (count % m_step == 0)
            report(count, m_timer.elapsed());
    }
    // The same at a given time since the helper was made, for a caller with a clock of its own.
    void progressAt(qint64 count, qint64 elapsedMs)
    {
        if (count % m_step == 0)
            report(count, elapsedMs);
    }
    // Called now and then with the running count, in steps of its own (a phase's work items): reported when more
    // than 40 ms passed since the last report.
    void reached(qint64 count);
    // The work is done: the total is reported at once.
    void finish();
    void setExtraText(const QString& text) { m_extraText = text; }
    qint64 step() const { return m_step; }
    // In units: the records times the passes.
    qint64 total() const { return m_total; }

private:
    ProgressHelper(const ProgressHelper&) = delete;
    ProgressHelper& operator=(const ProgressHelper&) = delete;
    void report(qint64 count, qint64 elapsedMs);
    void send(qint64 count, qint64 elapsedMs);

    QString m_message;
    IProgressService* m_service; // not owned; null without a host
    QElapsedTimer m_timer;
    QString m_extraText;
    qint64 m_total;
    int m_passes;
    qint64 m_lastCount = 0;
    qint64 m_lastShown = 0; // what the host heard last
    qint64 m_lastReportMs = 0;
    qint64 m_step = 1;
};

// One phase of a build whose work the calling thread shares with the worker pool (ParallelMap): any thread adds
// the units it finished, and only the thread that made the phase reports them, paced by the helper, so a host's
// display is never called from a worker. The phase's own units (records, comparisons) run from 0 to `units`; the
// host sees them as counts from `first` to `last` of the helper's total. Without a helper nothing is counted.
class BASIC_VIEWS_EXPORT ProgressPhase
{
public:
    ProgressPhase(ProgressHelper* helper, qint64 first, qint64 last, qint64 units);

    // From any thread.
    void add(qint64 units);
    bool counts() const { return m_helper != nullptr; }

private:
    ProgressPhase(const ProgressPhase&) = delete;
    ProgressPhase& operator=(const ProgressPhase&) = delete;

    ProgressHelper* m_helper; // not owned
    const qint64 m_first;
    const qint64 m_last;
    const qint64 m_units;
    std::atomic<qint64> m_done { 0 };
    const std::thread::id m_caller;
};
