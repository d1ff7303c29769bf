#include "core/host/embedded/embeddedprogressservice.h"

void EmbeddedProgressService::start(const QString& message, qint64 total)
{
    if (m_display)
        m_display->start(message, total);
}

void EmbeddedProgressService::progress(const QString& message, qint64 count)
{
    if (m_display)
        m_display->progress(message, count);
}

void EmbeddedProgressService::extraText(const QString& message, const QString& text)
{
    if (m_display)
        m_display->extraText(message, text);
}

void EmbeddedProgressService::end(const QString& message)
{
    if (m_display)
        m_display->end(message);
}
