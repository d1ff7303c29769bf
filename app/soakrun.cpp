#include "soakrun.h"

#include "core/db/index.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <cstdio>

#include <time.h>

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

qint64 threadCpuNsecs()
{
    timespec spent {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &spent);
    return qint64(spent.tv_sec) * 1000000000 + spent.tv_nsec;
}

// The line of /proc/cpuinfo or /proc/loadavg a report names the machine by.
QByteArray machineLine(const char* path, const QByteArray& prefix)
{
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("unknown");
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(line.indexOf(':') + 1).trimmed();
    }
    return QByteArray("unknown");
}

void print(const char* name, double value, const char* unit)
{
    std::printf("BENCH %s %.2f %s\n", name, value, unit);
}

} // namespace

SoakRun::SoakRun(SoakSource source, int seconds, std::function<qint64()> rowCount, QObject* parent)
    : QObject(parent)
    , m_source(std::move(source))
    , m_seconds(seconds)
    , m_rowCount(std::move(rowCount))
{
    m_tick.setInterval(TickMs);
    m_tick.setTimerType(Qt::PreciseTimer);
    connect(&m_tick, &QTimer::timeout, this, &SoakRun::onTick);
}

void SoakRun::addModel(const QString& name, const Index* model)
{
    m_models.emplace_back(name, model);
}

SoakRun::Stages SoakRun::stages() const
{
    Stages s;
    s.generation = m_generationNsecs;
    s.commit = m_commitNsecs;
    s.indexes = double(Index::m_nsecsElapsedTotal - m_indexesStart);
    s.paint = m_paintNsecs ? double(m_paintNsecs()) : 0.0;
    s.guiCpu = double(threadCpuNsecs());
    s.sourceCpu = m_source.threadCpuNsecs ? double(m_source.threadCpuNsecs()) : 0.0;
    for (const auto& model : m_models) {
        s.eachModel.push_back(double(model.second->nsecsElapsed()));
        s.models += s.eachModel.back();
    }
    return s;
}

void SoakRun::start()
{
    m_indexesStart = Index::m_nsecsElapsedTotal;
    m_clock.start();
    m_tick.start();
    m_source.start();
    QTimer::singleShot(WarmUpMs, this, [this] {
        m_rssStart = residentBytes();
        m_rowsStart = m_rowCount();
        m_warm = stages();
        m_warmAt = m_clock.nsecsElapsed();
    });
    QTimer::singleShot(m_seconds * 1000, this, &SoakRun::finish);
}

void SoakRun::onBatch(int changes, double milliseconds)
{
    m_batchMs.push_back(milliseconds);
    m_changes += changes;
    m_generationNsecs += m_source.generationMs() * 1e6;
    m_commitNsecs += milliseconds * 1e6;
}

void SoakRun::onTick()
{
    const qint64 now = m_clock.elapsed();
    if (m_lastTick > 0)
        m_lateMs.push_back(double(qMax<qint64>(0, now - m_lastTick - TickMs)));
    if (m_source.queued)
        m_queued.push_back(double(m_source.queued()));
    m_lastTick = now;
}

void SoakRun::printBreakdown(const Stages& from, const Stages& to, double seconds) const
{
    // Milliseconds of each second of the run after the warm-up: the main thread's share of each stage (a model's
    // analysis on worker threads counts by the time the main thread waits for it).
    std::printf("# where the main thread's time goes after the warm-up, ms per second of the run\n");
    auto share = [seconds](double a, double b) { return seconds > 0 ? (b - a) / 1e6 / seconds : 0.0; };
    const double generation = share(from.generation, to.generation);
    const double commit = share(from.commit, to.commit);
    const double models = share(from.models, to.models);
    const double indexes = share(from.indexes, to.indexes);
    const double paint = share(from.paint, to.paint);
    print("soak_share_feed_generation", generation, "ms/s");
    // The tables' own work: their key indexes and the bookkeeping of the transactions.
    print("soak_share_table_commit", commit - models, "ms/s");
    print("soak_share_other_indexes", indexes - models, "ms/s");
    print("soak_share_window_models", models, "ms/s");
    for (std::size_t i = 0; i < m_models.size() && i < to.eachModel.size() && i < from.eachModel.size(); ++i) {
        const QByteArray name = "soak_share_model_" + m_models[i].first.toLatin1();
        print(name.constData(), share(from.eachModel[i], to.eachModel[i]), "ms/s");
    }
    print("soak_share_painting", paint, "ms/s");
    print("soak_share_rest", qMax(0.0, 1000.0 - generation - commit - paint), "ms/s");
    // Processor time rather than wall time: what the GUI thread and the source's own thread really used.
    print("soak_gui_thread_cpu", share(from.guiCpu, to.guiCpu), "ms/s");
    if (m_source.threadCpuNsecs)
        print("soak_feed_thread_cpu", share(from.sourceCpu, to.sourceCpu), "ms/s");
}

void SoakRun::finish()
{
    if (!m_tick.isActive())
        return; // finished already
    m_source.stop();
    m_tick.stop();
    const Stages end = stages();
    const double seconds = m_clock.elapsed() / 1000.0;
    const qint64 rss = residentBytes();
    const qint64 rows = m_rowCount() - m_rowsStart;
    std::printf("# soak: %d s of %s, every window open\n", m_seconds, qPrintable(m_source.description));
    std::printf("# cpu: %s, %d cores; load average at the end: %s\n",
        machineLine("/proc/cpuinfo", "model name").constData(), QThread::idealThreadCount(),
        machineLine("/proc/loadavg", "").constData());
    print("soak_changes_per_second", double(m_changes) / seconds, "changes/s");
    print("soak_batches", double(m_batchMs.size()), "batches");
    print("soak_batch_median", percentile(m_batchMs, 0.5), "ms");
    print("soak_batch_p99", percentile(m_batchMs, 0.99), "ms");
    print("soak_event_loop_latency_median", percentile(m_lateMs, 0.5), "ms");
    print("soak_event_loop_latency_p99", percentile(m_lateMs, 0.99), "ms");
    if (m_source.queued) {
        print("soak_queue_depth_median", percentile(m_queued, 0.5), "batches");
        print("soak_queue_depth_max", percentile(m_queued, 1.0), "batches");
    }
    print("soak_rows_added_after_warm_up", double(rows), "rows");
    print("soak_memory_growth_after_warm_up", double(rss - m_rssStart) / (1024.0 * 1024.0), "MB");
    print("soak_memory_growth_per_added_row", rows > 0 ? double(rss - m_rssStart) / double(rows) : 0.0, "bytes");
    printBreakdown(m_warm, end, double(m_clock.nsecsElapsed() - m_warmAt) / 1e9);
    std::fflush(stdout);
    QCoreApplication::quit();
}
