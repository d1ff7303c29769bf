#include "models/progresshelper.h"

#include "core/host/icore.h"
#include "core/host/iprogressservice.h"

namespace {
const qint64 ReportMs = 40;
}

ProgressHelper::ProgressHelper(const QString& message, qint64 total)
    : m_message(message)
    , m_service(ICore::instance() ? ICore::instance()->progress() : nullptr)
    , m_total(total)
{
    m_timer.start();
    if (m_service)
        m_service->start(m_message, m_total);
}

ProgressHelper::~ProgressHelper()
{
    if (m_service)
        m_service->end(m_message);
}

void ProgressHelper::report(qint64 count, qint64 elapsedMs)
{
    if (elapsedMs - m_lastReportMs <= ReportMs)
        return;
    m_lastReportMs = elapsedMs;
    m_step = qMax<qint64>(1, count - m_lastCount);
    m_lastCount = count;
    if (m_service && !m_extraText.isEmpty()) {
        m_service->extraText(m_message, m_extraText);
        m_extraText.clear();
    }
    if (m_service)
        m_service->progress(m_message, count);
}
