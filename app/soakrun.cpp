#include "soakrun.h"

#include "sim/marketfeed.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int TickMs = 10;
// Memory is read after the first seconds: caches, pixmaps and the event loop's own allocations settle first.
constexpr int WarmUpMs = 5000;

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values.at(std::min(values.size() - 1, size_t(p * double(values.size() - 1) + 0.5)));
}

qint64 residentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    }
    return 0;
}

void print(const char* name, double value, const char* unit)
{
    std::printf("BENCH %s %.2f %s\n", name, value, unit);
}

} // namespace

SoakRun::SoakRun(MarketFeed* feed, int seconds, std::function<qint64()> rowCount, QObject* parent)
    : QObject(parent)
    , m_feed(feed)
    , m_seconds(seconds)
    , m_rowCount(std::move(rowCount))
{
    m_tick.setInterval(TickMs);
    m_tick.setTimerType(Qt::PreciseTimer);
    connect(&m_tick, &QTimer::timeout, this, &SoakRun::onTick);
    connect(feed, &MarketFeed::batchApplied, this, &SoakRun::onBatch);
}

void SoakRun::start()
{
    m_clock.start();
    m_tick.start();
    m_feed->start();
    QTimer::singleShot(WarmUpMs, this, [this] {
        m_rssStart = residentBytes();
        m_rowsStart = m_rowCount();
    });
    QTimer::singleShot(m_seconds * 1000, this, &SoakRun::finish);
}

void SoakRun::onBatch(int changes, double milliseconds)
{
    m_batchMs.push_back(milliseconds);
    m_changes += changes;
}

void SoakRun::onTick()
{
    const qint64 now = m_clock.elapsed();
    if (m_lastTick > 0)
        m_lateMs.push_back(double(qMax<qint64>(0, now - m_lastTick - TickMs)));
    m_lastTick = now;
}

void SoakRun::finish()
{
    m_feed->stop();
    m_tick.stop();
    const double seconds = m_clock.elapsed() / 1000.0;
    const qint64 rss = residentBytes();
    const qint64 rows = m_rowCount() - m_rowsStart;
    std::printf("# soak: %d s at %d changes/s, every window open\n", m_seconds, m_feed->rate());
    print("soak_changes_per_second", double(m_changes) / seconds, "changes/s");
    print("soak_batches", double(m_batchMs.size()), "batches");
    print("soak_batch_median", percentile(m_batchMs, 0.5), "ms");
    print("soak_batch_p99", percentile(m_batchMs, 0.99), "ms");
    print("soak_event_loop_latency_median", percentile(m_lateMs, 0.5), "ms");
    print("soak_event_loop_latency_p99", percentile(m_lateMs, 0.99), "ms");
    print("soak_rows_added_after_warm_up", double(rows), "rows");
    print("soak_memory_growth_after_warm_up", double(rss - m_rssStart) / (1024.0 * 1024.0), "MB");
    print("soak_memory_growth_per_added_row", rows > 0 ? double(rss - m_rssStart) / double(rows) : 0.0, "bytes");
    std::fflush(stdout);
    QCoreApplication::quit();
}
