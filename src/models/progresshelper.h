#pragma once

#include "basic_views_export.h"

#include <QElapsedTimer>
#include <QString>

class IProgressService;

// Reports a long build to the host's progress service, about every 40 ms: the step between reports converges on
// the number of records handled in 40 ms, so the timer is read once per step. The end is reported when the
// helper goes, also when an exception leaves the build.
class BASIC_VIEWS_EXPORT ProgressHelper
{
public:
    ProgressHelper(const QString& message, qint64 total);
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
    // Called now and then with the running count, in steps of its own (the slices of a parallel build): reported
    // when more than 40 ms passed since the last report.
    void reached(qint64 count) { report(count, m_timer.elapsed()); }
    void setExtraText(const QString& text) { m_extraText = text; }
    qint64 step() const { return m_step; }

private:
    ProgressHelper(const ProgressHelper&) = delete;
    ProgressHelper& operator=(const ProgressHelper&) = delete;
    void report(qint64 count, qint64 elapsedMs);

    QString m_message;
    IProgressService* m_service; // not owned; null without a host
    QElapsedTimer m_timer;
    QString m_extraText;
    qint64 m_total;
    qint64 m_lastCount = 0;
    qint64 m_lastReportMs = 0;
    qint64 m_step = 1;
};
