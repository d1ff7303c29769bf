#pragma once

#include "core/db/decimal.h"
#include "core/db/record.h"
#include "core/host/securitykey.h"
#include "sim/bv_sim_export.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPair>
#include <QRandomGenerator>
#include <QTimer>
#include <QVector>

#include <memory>

class SampleMarket;
class ICore;
class TradeLedger;

// The market moving: every interval, one batch of changes through the trading gateway's transactions, at a
// given number of changes per second: quotes moving to the book's best prices, new orders resting on their side of
// the book, trades (an incoming order taking the best resting price of the other side: the deals, the orders'
// balance and status, the positions, the instrument's last price and lots traded) and cancellations. The book stays
// uncrossed. The same seed and sequence of calls make the same
// changes; only the clock-dependent times differ.
class BV_SIM_EXPORT MarketFeed : public QObject
{
    Q_OBJECT
public:
    // Trades in the tables of the host core's registry and announces sessions and days through the core.
    MarketFeed(const SampleMarket& market, ICore* core, quint32 seed = 1, QObject* parent = nullptr);
    ~MarketFeed() override;

    // Changes per second; 0 stops the stream.
    void setRate(int changesPerSecond);
    int rate() const { return m_rate; }
    void setInterval(int ms) { m_timer.setInterval(ms); }
    int interval() const { return m_timer.interval(); }
    void start();
    void stop();
    bool isRunning() const { return m_timer.isActive(); }

    // One batch of about `changes` record changes, now.
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
    // The milliseconds the simulator spent making the last batch, before the tables had it.
    double generationMs() const { return m_generationMs; }

Q_SIGNALS:
    // A batch was delivered: its record changes and the milliseconds the tables and their models took (the
    // simulator's own share is generationMs()).
    void batchApplied(int changes, double milliseconds);
    void runningChanged(bool running);

private:
    void onTimeout();
    void moveQuotes();
    void placeOrder();
    void fillOrder();
    void cancelOrder();
    // The best price of a side, the orders staged in this batch included; empty when nobody is there.
    decimal inside(const SecurityKey& key, QChar side) const;
    // A resting order nobody touched in this batch, taken off the list; null when there is none.
    Record takeActiveOrder();
    void rememberNewOrders();
    // `steps` price steps from `base`, within the instrument's limits.
    static decimal stepsFrom(const Record& instrument, const decimal& base, int steps);
    // The last trade's price, or the settlement price before the first trade.
    static decimal lastPrice(const Record& instrument);

    const SampleMarket& m_market;
    ICore* m_core; // not owned
    std::unique_ptr<TradeLedger> m_ledger;
    QRandomGenerator m_rng;
    QTimer m_timer;
    QVector<Record> m_instruments; // futures and options that trade
    QVector<Record> m_active; // resting orders
    QStringList m_accounts;
    QList<qint64> m_newOrders; // placed in the batch being staged
    QHash<SecurityKey, QPair<decimal, decimal>> m_stagedInside; // their highest buy and lowest sell
    int m_session;
    int m_rate = 0;
    double m_carry = 0; // changes owed from earlier intervals
    qint64 m_batches = 0;
    qint64 m_changes = 0;
    double m_generationMs = 0;
    QElapsedTimer m_clock;
    QVector<QPair<qint64, int>> m_recent; // (ms on the clock, changes) of the batches of the last second
};
