#pragma once

#include "sim/bv_sim_export.h"
#include "sim/feedbatch.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QTimer>
#include <QVector>

#include <memory>
#include <vector>

class SampleMarket;
class ICore;
class Table;
class FeedWorker;

// The market moving: every interval, one batch of changes through the trading gateway's transactions, at a
// given number of changes per second (what a batch holds: FeedGenerator). The batches are made on a thread of
// their own, in a copy of the trading tables, and wait in a queue of FeedWorker::Capacity batches; the GUI thread
// looks every few milliseconds and only commits them, one transaction per table as the gateway sends them. When
// the GUI thread falls behind, the queue fills and the feed slows down.
//
// What others write into the trading tables (the exchange executing a trader's order, a reference table sent
// again) is passed on to the copy before its next batch. A writer that must not cross a batch holds the feed
// (Hold): no batch is being made, every one made is committed, and none follows until the hold ends. The same seed
// and sequence of calls make the same changes, threaded or stepped; only the clock-dependent times differ.
class BV_SIM_EXPORT MarketFeed : public QObject
{
    Q_OBJECT
public:
    // While one lives, the feed makes no batch and every batch made is in the tables.
    class Hold
    {
    public:
        explicit Hold(MarketFeed* feed);
        ~Hold();

    private:
        Q_DISABLE_COPY(Hold)
        QPointer<MarketFeed> m_feed;
    };

    // Trades in the tables of the host core's registry and announces sessions and days through the core.
    MarketFeed(const SampleMarket& market, ICore* core, quint32 seed = 1, QObject* parent = nullptr);
    ~MarketFeed() override;

    // Changes per second; 0 stops the stream.
    void setRate(int changesPerSecond);
    int rate() const { return m_rate; }
    void setInterval(int ms);
    int interval() const { return m_interval; }
    void start();
    // Makes no more batches and commits those made.
    void stop();
    bool isRunning() const { return m_running; }

    // One batch of about `changes` record changes, now, on the calling thread.
    void step(int changes);
    // The exchange opens the next trading session (the running one finishes); new orders belong to it.
    void startNewSession();
    // A new trading day: the next session, and the host's new-day signal.
    void startNewDay();

    qint64 batches() const { return m_batches; }
    qint64 changes() const { return m_changes; }
    // The changes delivered over the last second, as measured, not as asked for.
    int measuredRate() const;
    int currentSession() const { return m_session; }
    // The milliseconds the feed's thread spent making the last batch committed.
    double generationMs() const { return m_generationMs; }
    // Batches made and waiting to be committed, at most queueCapacity().
    int queued() const;
    static int queueCapacity();
    // Processor time the feed's thread used so far.
    qint64 workerCpuNsecs() const;

Q_SIGNALS:
    // A batch was delivered: its record changes and the milliseconds its transactions took on the GUI thread.
    void batchApplied(int changes, double milliseconds);
    void runningChanged(bool running);

private:
    void hold();
    void release();
    void onPoll();
    // Commits every batch waiting; false when the feed went meanwhile.
    bool drain();
    // False when the feed went while its signal was heard.
    bool commit(const FeedBatch& batch);
    void forwardForeign();
    void listen(bool on);
    void resume();

    const SampleMarket& m_market;
    ICore* m_core; // not owned
    QVector<QPointer<Table>> m_tables; // as FeedGenerator::tableNames() lists them
    std::vector<std::unique_ptr<FeedTap>> m_taps; // on m_tables: what others write
    FeedBatch m_foreign; // others' writes not passed on yet
    std::unique_ptr<FeedWorker> m_worker;
    QTimer m_poll;
    int m_interval = 50;
    int m_holds = 0;
    bool m_running = false;
    int m_session;
    int m_rate = 0;
    qint64 m_batches = 0;
    qint64 m_changes = 0;
    double m_generationMs = 0;
    QElapsedTimer m_clock;
    QVector<QPair<qint64, int>> m_recent; // (ms on the clock, changes) of the batches of the last second
};
