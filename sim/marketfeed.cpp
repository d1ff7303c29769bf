#include "sim/marketfeed.h"

#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/db/table.h"
#include "core/host/embedded/embeddeddecoder.h"
#include "core/host/icore.h"
#include "core/host/schema/hostschema.h"
#include "core/host/signalhub.h"
#include "core/host/tableregistry.h"
#include "sim/feedgenerator.h"
#include "sim/feedworker.h"
#include "sim/samplemarket.h"

#include <algorithm>
#include <utility>

namespace {

// How often the GUI thread looks for batches made.
constexpr int PollMs = 4;

} // namespace

MarketFeed::Hold::Hold(MarketFeed* feed)
    : m_feed(feed)
{
    if (m_feed)
        m_feed->hold();
}

MarketFeed::Hold::~Hold()
{
    if (m_feed)
        m_feed->release();
}

MarketFeed::MarketFeed(const SampleMarket& market, ICore* core, quint32 seed, QObject* parent)
    : QObject(parent)
    , m_market(market)
    , m_core(core)
    , m_session(market.currentSession())
{
    QVector<Table*> tables;
    for (const QString& name : FeedGenerator::tableNames()) {
        tables << core->tables()->table(name);
        m_tables << tables.last();
    }
    m_worker = std::make_unique<FeedWorker>(std::make_unique<FeedGenerator>(market, tables, seed));
    for (int i = 0; i < tables.size(); ++i)
        m_taps.push_back(std::make_unique<FeedTap>(tables.at(i), i));
    listen(true);
    m_poll.setInterval(PollMs);
    m_poll.setTimerType(Qt::PreciseTimer);
    connect(&m_poll, &QTimer::timeout, this, &MarketFeed::onPoll);
}

MarketFeed::~MarketFeed()
{
    m_worker.reset();
}

void MarketFeed::listen(bool on)
{
    for (const auto& tap : m_taps)
        tap->setTarget(on ? &m_foreign : nullptr);
}

void MarketFeed::forwardForeign()
{
    if (!m_foreign.isEmpty())
        m_worker->forward(std::exchange(m_foreign, FeedBatch()));
}

void MarketFeed::setRate(int changesPerSecond)
{
    m_rate = qMax(0, changesPerSecond);
    resume();
}

void MarketFeed::setInterval(int ms)
{
    m_interval = qMax(1, ms);
    resume();
}

void MarketFeed::resume()
{
    if (m_running && m_holds == 0) {
        forwardForeign();
        m_worker->run(m_rate, m_interval);
    }
}

void MarketFeed::start()
{
    const bool was = m_running;
    m_running = true;
    resume();
    m_poll.start();
    if (!was)
        Q_EMIT runningChanged(true);
}

void MarketFeed::stop()
{
    if (!m_running)
        return;
    m_running = false;
    m_worker->pause();
    m_poll.stop();
    QPointer<MarketFeed> alive(this);
    if (!drain() || !alive)
        return;
    m_recent.clear();
    Q_EMIT runningChanged(false);
}

void MarketFeed::hold()
{
    if (m_holds++ > 0)
        return;
    m_worker->pause();
    drain();
}

void MarketFeed::release()
{
    if (m_holds > 0 && --m_holds == 0)
        resume();
}

int MarketFeed::queued() const
{
    return m_worker->queued();
}

int MarketFeed::queueCapacity()
{
    return FeedWorker::Capacity;
}

qint64 MarketFeed::workerCpuNsecs() const
{
    return m_worker->cpuNsecs();
}

int MarketFeed::measuredRate() const
{
    const qint64 now = m_clock.isValid() ? m_clock.elapsed() : 0;
    int changes = 0;
    for (const auto& batch : m_recent) {
        if (now - batch.first < 1000)
            changes += batch.second;
    }
    return changes;
}

void MarketFeed::onPoll()
{
    forwardForeign();
    FeedBatch batch;
    if (!m_worker->take(batch))
        return;
    if (!commit(batch))
        return;
    // Another waiting goes on the next turn of the event loop, not after the timer's full interval.
    m_poll.start(m_worker->queued() > 0 ? 0 : PollMs);
}

bool MarketFeed::drain()
{
    QPointer<MarketFeed> alive(this);
    FeedBatch batch;
    while (alive && m_worker->take(batch)) {
        if (!commit(batch))
            return false;
    }
    return alive;
}

bool MarketFeed::commit(const FeedBatch& batch)
{
    QVector<Table*> tables;
    for (const QPointer<Table>& t : qAsConst(m_tables))
        tables << t.data();
    QElapsedTimer clock;
    clock.start();
    listen(false);
    batch.commitInto(tables);
    listen(true);
    const double ms = clock.nsecsElapsed() / 1e6;
    m_generationMs = batch.generationMs;
    ++m_batches;
    m_changes += batch.changes;
    if (!m_clock.isValid())
        m_clock.start();
    const qint64 now = m_clock.elapsed();
    m_recent.erase(
        std::remove_if(m_recent.begin(), m_recent.end(), [now](const auto& b) { return now - b.first >= 1000; }),
        m_recent.end());
    m_recent.append(qMakePair(now, batch.changes));
    QPointer<MarketFeed> alive(this);
    Q_EMIT batchApplied(batch.changes, ms);
    return alive;
}

void MarketFeed::step(int changes)
{
    const Hold held(this);
    forwardForeign();
    commit(m_worker->generateNow(changes));
}

void MarketFeed::startNewSession()
{
    const Hold held(this);
    Table* sessions = m_core->tables()->table(QStringLiteral("sessions"));
    const QDate day = m_market.tradeDate().addDays(m_session + 1 - m_market.currentSession());
    {
        RecordsTrans trans(sessions);
        for (const Record& s : *sessions->masterIndex()) {
            if (s.data(QStringLiteral("state")).toInteger() == HostSchema::SessionTrading)
                RecordUpdater(s, trans).data(QStringLiteral("state")) = HostSchema::SessionFinished;
        }
        RecordUpdater next(Record(sessions), trans);
        next.data(QStringLiteral("stock_id")) = SampleMarket::StockId;
        next.data(QStringLiteral("sess_id")) = m_session + 1;
        next.data(QStringLiteral("sess_name"))
            = QStringLiteral("Сессия %1").arg(day.toString(QStringLiteral("dd.MM.yyyy")));
        next.data(QStringLiteral("begin")) = QDateTime(day.addDays(-1), QTime(19, 0));
        next.data(QStringLiteral("end")) = QDateTime(day, QTime(18, 50));
        next.data(QStringLiteral("state")) = HostSchema::SessionTrading;
        trans.commit();
    }
    // The exchange lists again, for the new session, every instrument that trades in one.
    Table* instruments = m_core->tables()->table(QStringLiteral("securities"));
    if (instruments) {
        RecordsTrans trans(instruments);
        for (const Record& r : *instruments->masterIndex()) {
            if (r.data(QStringLiteral("signs")).toInteger64()
                & (HostSchema::SecSignEveningSession | HostSchema::SecSignMainSession))
                RecordUpdater(r, trans).data(QStringLiteral("sess_id")) = m_session + 1;
        }
        trans.commit();
    }
    ++m_session;
    forwardForeign();
    m_worker->setSession(m_session);
    for (QObject* plugin : m_core->plugins()) {
        if (auto* decoder = qobject_cast<EmbeddedDecoder*>(plugin))
            decoder->announceNewSessions();
    }
}

void MarketFeed::startNewDay()
{
    startNewSession();
    Q_EMIT m_core->signalHub()->aNewDay();
}
