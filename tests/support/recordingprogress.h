#pragma once

#include "core/host/iprogressservice.h"

#include <QStringList>

// A progress display that writes down what it is told, one line per report: "start <message> <total>",
// "progress <message> <count>", "extra <message> <text>", "end <message>".
class RecordingProgress : public IProgressService
{
public:
    void start(const QString& message, qint64 total) override
    {
        lines << QStringLiteral("start %1 %2").arg(message).arg(total);
    }
    void progress(const QString& message, qint64 count) override
    {
        lines << QStringLiteral("progress %1 %2").arg(message).arg(count);
    }
    void extraText(const QString& message, const QString& text) override
    {
        lines << QStringLiteral("extra %1 %2").arg(message, text);
    }
    void end(const QString& message) override { lines << QStringLiteral("end %1").arg(message); }

    QStringList lines;
};
