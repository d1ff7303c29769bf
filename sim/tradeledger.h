#pragma once

#include "core/db/decimal.h"
#include "core/db/record.h"
#include "core/host/securitykey.h"
#include "sim/bv_sim_export.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <QVector>

#include <memory>

class OrderBook;
class RecordsTrans;
class Table;
class TableRegistry;

// Writes trading events into the market's tables the way the trading gateway delivers them: every table's
// changes of a batch in one transaction, committed instruments first, then orders, deals and positions. A fill of
// a resting order is a trade: its deal, the order's balance, the account's position (averaging its price) and the
// instrument's last price, lots traded and direction all move together. Once the orders are in, the quotes of every
// instrument whose book changed follow its best resting prices (a second, small instruments transaction); quotes
// may also be set without a trade.
//
// The settlement price follows the trades, and when it moves every open position in the instrument is revalued
// against it (variation margin) in the same batch, so a position's margin always answers its instrument's
// settlement price. A busy instrument may hold thousands of positions: traded instruments settle oldest first, as
// many per batch as a budget of position writes allows (the batch's own size, at least settlementBudget()); the
// rest settle in the next batches, which commit() sends even when nothing else is staged.
//
// An order is changed at most once per batch: callers pick each order once (isTouched() tells). Instruments and
// positions take any number of trades in a batch and are written once.
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
    // Over tables of the host schema's shapes that belong to no registry.
    TradeLedger(Table* orders, Table* deals, Table* positions, Table* securities);
    ~TradeLedger();

    Table* orders() const { return m_orders; }
    Table* deals() const { return m_deals; }
    Table* securities() const { return m_securities; }
    const OrderBook* book() const { return m_book; }

    // Lots traded at a price.
    using Fill = QPair<qint64, decimal>;

    // Stages a new order that already traded the given fills against resting orders (filled through fill(), which
    // moved the instrument); its deals and position move are staged too. Returns its number.
    qint64 addOrder(const Order& order, const QList<Fill>& fills = {});
    // A trade: lots of a resting order filled at the price.
    void fill(const Record& order, qint64 quantity, const decimal& price);
    // Fills up to `quantity` lots of an incoming order of `side` at `price` from the book's crossing orders, best
    // price first, then oldest, each at its own price; orders already touched in this batch are passed over.
    QList<Fill> match(const SecurityKey& key, QChar side, const decimal& price, qint64 quantity);
    void cancel(const Record& order);
    // A new price and quantity for a resting order; its balance follows the quantity, less the given fills it
    // traded at the new price (their deals are staged too).
    void change(const Record& order, const decimal& price, qint64 quantity, const QList<Fill>& fills = {});
    // New best quotes of an instrument, without a trade.
    void quote(const Record& instrument, const decimal& bid, const decimal& offer);

    int settlementBudget() const { return m_settlementBudget; }
    void setSettlementBudget(int positions) { m_settlementBudget = qMax(1, positions); }
    // Whether traded instruments wait for their settlement price to follow them.
    bool hasUnsettled() const { return !m_unsettled.isEmpty(); }

    bool isTouched(const Record& record) const { return m_touched.contains(record.handle()); }
    // Record changes staged since the last commit.
    int staged() const { return m_staged; }
    // Sends the batch; nothing happens when nothing is staged.
    void commit();
    // The milliseconds the last commit spent in the tables' transactions (their indexes and models included), the
    // ledger's own bookkeeping left out.
    double lastTablesMs() const { return m_lastTablesMs; }

private:
    struct InstrumentMove
    {
        Record instrument;
        decimal last; // the batch's last trade; empty without one
        qint64 lots = 0;
        decimal bid;
        decimal offer;
    };
    struct PositionFill
    {
        bool buy;
        qint64 quantity;
        decimal price;
    };
    struct PositionMove
    {
        QString account;
        SecurityKey key;
        QVector<PositionFill> fills;
    };
    void addDeal(qint64 orderNum, const Order& order, qint64 quantity, const decimal& price);
    InstrumentMove& instrumentMove(const Record& instrument);
    // The instrument of a key, looked up once and remembered; null when the table has none.
    Record instrumentOf(const SecurityKey& key);
    static QString positionKey(const QString& account, const SecurityKey& key);
    void touch(const Record& record);
    void writeInstruments();
    // Quotes the instruments whose book moved at its best prices; a side with nobody resting keeps its quote.
    void followBook();
    struct Settlement
    {
        Record instrument;
        decimal price;
    };
    // Moves the settlement price of the instruments that settle in this batch, by security id.
    QHash<qint64, Settlement> settle();
    void indexHolders();
    void writePositions(const QHash<qint64, Settlement>& settled);
    void open();

    Table* m_orders;
    Table* m_deals;
    Table* m_positions;
    Table* m_securities;
    OrderBook* m_book; // not owned: the orders table's
    int m_securityIdColumn;
    int m_positionSecurityColumn;
    // The position's fields a revaluation reads and writes, and the instrument's lot size.
    int m_openColumn;
    int m_boughtColumn;
    int m_soldColumn;
    int m_averageColumn;
    int m_marginColumn;
    int m_lotsizeColumn;
    std::unique_ptr<RecordsTrans> m_instrumentTrans;
    std::unique_ptr<RecordsTrans> m_orderTrans;
    std::unique_ptr<RecordsTrans> m_dealTrans;
    std::unique_ptr<RecordsTrans> m_positionTrans;
    QHash<const void*, InstrumentMove> m_instrumentMoves;
    QHash<QString, PositionMove> m_moves; // by positionKey()
    QSet<const void*> m_touched;
    // Traded instruments whose settlement price has not followed them yet, oldest first.
    QList<Record> m_unsettled;
    QSet<const void*> m_unsettledHandles;
    // Positions by security id and by positionKey(); m_newHolders are this batch's new ones, by positionKey() and
    // by the table's key.
    QHash<qint64, QVector<Record>> m_holders;
    QHash<QString, Record> m_positionByKey;
    int m_indexedHolders = -1;
    QVector<QPair<QString, QString>> m_newHolders;
    QHash<qint64, Record> m_instrumentBySec;
    int m_settlementBudget = 512;
    qint64 m_nextOrder = 1;
    qint64 m_nextDeal = 1;
    int m_staged = 0;
    double m_lastTablesMs = 0;
};
