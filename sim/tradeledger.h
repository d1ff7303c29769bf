#pragma once

#include "core/db/decimal.h"
#include "core/db/record.h"
#include "core/host/securitykey.h"
#include "sim/bv_sim_export.h"

#include <QHash>
#include <QSet>

#include <memory>

class RecordsTrans;
class Table;
class TableRegistry;

// Writes trading events into the market's tables the way the trading gateway delivers them: every table's
// changes of a batch in one transaction, committed instruments first, then orders, deals and positions. An
// order's fills lower its balance, append its deals and move the account's position, so the tables agree.
//
// A record is changed at most once per batch: callers pick each order once (isTouched() tells).
class BV_SIM_EXPORT TradeLedger
{
public:
    struct Order
    {
        SecurityKey key;
        QChar side; // 'B' or 'S'
        decimal price;
        qint64 quantity = 0;
        QString account;
        QString login;
        QString comment;
        qint64 signs = 0;
        int session = 0;
    };

    explicit TradeLedger(TableRegistry* tables);
    ~TradeLedger();

    Table* orders() const { return m_orders; }
    Table* deals() const { return m_deals; }
    Table* securities() const { return m_securities; }

    // Lots traded at a price.
    using Fill = QPair<qint64, decimal>;

    // Stages a new order that already traded the given fills (their deals are staged too); returns its number.
    qint64 addOrder(const Order& order, const QList<Fill>& fills = {});
    // Fills lots of a resting order at the price.
    void fill(const Record& order, qint64 quantity, const decimal& price);
    void cancel(const Record& order);
    // A new price and quantity for a resting order; its balance follows the quantity.
    void change(const Record& order, const decimal& price, qint64 quantity);
    // A trade on the instrument's board: last price, quotes, direction and change time.
    void tick(const Record& instrument, const decimal& last, const decimal& bid, const decimal& offer);

    bool isTouched(const Record& record) const { return m_touched.contains(record.handle()); }
    // Record changes staged since the last commit.
    int staged() const { return m_staged; }
    // Sends the batch; nothing happens when nothing is staged.
    void commit();

private:
    struct PositionMove
    {
        QString account;
        SecurityKey key;
        qint64 bought = 0;
        qint64 sold = 0;
        decimal price;
    };
    void addDeal(qint64 orderNum, const Order& order, qint64 quantity, const decimal& price);
    void touch(const Record& record);
    void writePositions();
    void open();

    Table* m_orders;
    Table* m_deals;
    Table* m_positions;
    Table* m_securities;
    std::unique_ptr<RecordsTrans> m_instrumentTrans;
    std::unique_ptr<RecordsTrans> m_orderTrans;
    std::unique_ptr<RecordsTrans> m_dealTrans;
    std::unique_ptr<RecordsTrans> m_positionTrans;
    QHash<QString, PositionMove> m_moves; // by account and instrument
    QSet<const void*> m_touched;
    qint64 m_nextOrder = 1;
    qint64 m_nextDeal = 1;
    int m_staged = 0;
};
