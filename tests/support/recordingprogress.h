#pragma once

#include "core/host/iprogressservice.h"

#include <QMutex>
#include <QMutexLocker>
#include <QStringList>
#include <QThread>
#include <QVector>

// A progress display that writes down what it is told, one line per report: "start <message> <total>",
// "progress <message> <count>", "extra <message> <text>", "end <message>", and the thread each came on. A report
// from a worker thread is written down too, as it came, so that a test can tell.
class RecordingProgress : public IProgressService
{
public:
    void start(const QString& message, qint64 total) override
    {
        note(QStringLiteral("start %1 %2").arg(message).arg(total));
    }
    void progress(const QString& message, qint64 count) override
    {
        note(QStringLiteral("progress %1 %2").arg(message).arg(count));
    }
    void extraText(const QString& message, const QString& text) override
    {
        note(QStringLiteral("extra %1 %2").arg(message, text));
    }
    void end(const QString& message) override { note(QStringLiteral("end %1").arg(message)); }

    // The counts of the progress lines of one operation, after checking what a display relies on: the operation
    // starts with `total` and ends; every line came on `thread`; the counts rise and the last one is the total.
    // The first thing amiss goes to `fault`.
    QVector<qint64> counts(const QString& message, qint64 total, QThread* thread, QString* fault) const
    {
        QVector<qint64> counts;
        const QString progress = QStringLiteral("progress %1 ").arg(message);
        if (lines.value(0) != QStringLiteral("start %1 %2").arg(message).arg(total)
            || lines.value(lines.size() - 1) != QStringLiteral("end %1").arg(message))
            *fault = QStringLiteral("no start with the total or no end: ") + lines.join(QLatin1Char('|'));
        for (int i = 0; i < lines.size() && fault->isEmpty(); ++i) {
            if (threads.at(i) != thread)
                *fault = QStringLiteral("came on another thread: ") + lines.at(i);
            else if (lines.at(i).startsWith(progress)) {
                const qint64 count = lines.at(i).mid(progress.size()).toLongLong();
                if (count <= counts.value(counts.size() - 1, 0) || count > total)
                    *fault = QStringLiteral("%1 after %2").arg(count).arg(counts.value(counts.size() - 1, 0));
                counts << count;
            }
        }
        if (fault->isEmpty() && counts.value(counts.size() - 1, 0) != total)
            *fault = QStringLiteral("the last count is not the total: ") + lines.join(QLatin1Char('|'));
        return counts;
    }

    void clear()
    {
        lines.clear();
        threads.clear();
    }

    QStringList lines;
    QVector<QThread*> threads; // of each line

private:
    void note(const QString& line)
    {
        QMutexLocker lock(&m_mutex);
        lines << line;
        threads << QThread::currentThread();
    }

    QMutex m_mutex;
};
