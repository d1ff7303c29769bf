#include "models/private/progresshelper.h"

#include "core/host/icore.h"
#include "core/host/iprogressservice.h"

namespace {
const qint64 ReportMs = 40;
}

ProgressHelper::ProgressHelper(const QString& message, qint64 records, int passes)
    : m_message(message)
    , m_service(ICore::instance() ? ICore::instance()->progress() : nullptr)
    , m_total(records * qMax(passes, 1))
    , m_passes(qMax(passes, 1))
{
    m_timer.start();
    if (m_service)
        m_service->start(m_message, records);
}

ProgressHelper::~ProgressHelper()
{
    if (m_service)
        m_service->end(m_message);
}

void ProgressHelper::report(qint64 count, qint64 elapsedMs)
{
    if (elapsedMs - m_lastReportMs <= ReportMs || count <= m_lastCount)
        return;
    m_step = qMax<qint64>(1, count - m_lastCount);
    send(count, elapsedMs);
}

void ProgressHelper::reached(qint64 count)
{
    const qint64 elapsedMs = m_timer.elapsed();
    if (elapsedMs - m_lastReportMs <= ReportMs || count <= m_lastCount)
        return;
    // The counts of a phase come in steps of their own: a per-record phase after it finds its step afresh.
    m_step = 1;
    send(count, elapsedMs);
}

void ProgressHelper::finish()
{
    if (m_lastCount < m_total)
        send(m_total, m_timer.elapsed());
}

void ProgressHelper::send(qint64 count, qint64 elapsedMs)
{
    m_lastReportMs = elapsedMs;
    m_lastCount = count;
    const qint64 shown = count / m_passes;
    if (shown <= m_lastShown)
        return;
    m_lastShown = shown;
    if (m_service && !m_extraText.isEmpty()) {
        m_service->extraText(m_message, m_extraText);
        m_extraText.clear();
    }
    if (m_service)
        m_service->progress(m_message, shown);
}

ProgressPhase::ProgressPhase(ProgressHelper* helper, qint64 first, qint64 last, qint64 units)
    : m_helper(helper)
    , m_first(first)
    , m_last(last)
    , m_units(units)
    , m_caller(std::this_thread::get_id())
{ }

void ProgressPhase::add(qint64 units)
{
    if (!m_helper)
        return;
    const qint64 done = m_done.fetch_add(units, std::memory_order_relaxed) + units;
    if (std::this_thread::get_id() != m_caller || m_units <= 0)
        return;
    m_helper->reached(m_first + qint64(double(qMin(done, m_units)) * double(m_last - m_first) / double(m_units)));
}
