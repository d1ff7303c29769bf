#include "core/host/embedded/embeddedprogressservice.h"

void EmbeddedProgressService::start(const QString& message, qint64 total)
{
    log << QStringLiteral("start %1 %2").arg(message).arg(total);
    if (display)
        display->start(message, total);
}

void EmbeddedProgressService::progress(const QString& message, qint64 count)
{
    log << QStringLiteral("progress %1 %2").arg(message).arg(count);
    if (display)
        display->progress(message, count);
}

void EmbeddedProgressService::extraText(const QString& message, const QString& text)
{
    log << QStringLiteral("extra %1 %2").arg(message, text);
    if (display)
        display->extraText(message, text);
}

void EmbeddedProgressService::end(const QString& message)
{
    log << QStringLiteral("end %1").arg(message);
    if (display)
        display->end(message);
}
