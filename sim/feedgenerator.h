#pragma once

#include "core/db/decimal.h"
#include "core/db/record.h"
#include "core/host/securitykey.h"
#include "sim/bv_sim_export.h"
#include "sim/feedbatch.h"

#include <QHash>
#include <QPair>
#include <QRandomGenerator>
#include <QStringList>
#include <QVector>

#include <memory>
#include <vector>

class SampleMarket;
class Table;
class TradeLedger;

// Makes the market's moves in a copy of its trading tables and hands each batch over as row bytes: quotes moving to
// the book's best prices, new orders resting on their side of the book, trades (an incoming order taking the best
// resting price of the other side: the deals, the orders' balance and status, the positions, the instrument's last
// price and lots traded) and cancellations. The book stays uncrossed. The same seed and sequence of calls make the
// same changes; only the clock-dependent times differ.
//
// It touches nothing but its own tables and the market's fixed data, so it may run on any one thread at a time.
// Memory: a second copy of the four tables it trades in.
class BV_SIM_EXPORT FeedGenerator
{
public:
    // The tables it copies, in the order batches name them.
    static QStringList tableNames();

    // Copies `tables` (named as tableNames() lists them) as they are now.
    FeedGenerator(const SampleMarket& market, const QVector<Table*>& tables, quint32 seed);
    ~FeedGenerator();

    // One batch of about `changes` record changes, made in the copy.
    FeedBatch generate(int changes);
    // Changes others made in the tables copied, so that the copy stays the same as they are.
    void follow(const FeedBatch& writes);
    int session() const { return m_session; }
    void setSession(int session) { m_session = session; }

private:
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
    std::vector<std::unique_ptr<Table>> m_tables;
    QVector<Table*> m_copies;
    std::vector<std::unique_ptr<FeedTap>> m_taps;
    std::unique_ptr<TradeLedger> m_ledger;
    QRandomGenerator m_rng;
    QVector<Record> m_instruments; // futures and options that trade
    QVector<Record> m_active; // resting orders
    QStringList m_accounts;
    QList<qint64> m_newOrders; // placed in the batch being staged
    QHash<SecurityKey, QPair<decimal, decimal>> m_stagedInside; // their highest buy and lowest sell
    int m_session;
};
