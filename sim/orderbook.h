#pragma once

#include "core/db/decimal.h"
#include "core/db/index.h"
#include "core/host/securitykey.h"
#include "sim/bv_sim_export.h"

#include <QHash>
#include <QObject>
#include <QSet>

#include <functional>
#include <map>

class Table;

// The resting orders of an orders table (active, with a balance left) by instrument and side, in price-time
// priority: bids highest first, offers lowest first, the oldest (lowest number) first at a price. It is an index
// of the table, so it follows every change whoever makes it. One book per table, made on first use and gone with
// the table. Memory: one map node and one hash entry per resting order.
class BV_SIM_EXPORT OrderBook : public QObject, public Index
{
    Q_OBJECT
public:
    static OrderBook* of(Table* orders);

    // The best resting price of a side ('B' bids, 'S' offers); empty when nobody rests there.
    decimal best(const SecurityKey& key, QChar side) const;
    // Visits the resting orders that an order of `side` at `price` would trade with (the other side's, at that
    // price or better), best first, then oldest, while `visit` returns true.
    void visitCrossing(const SecurityKey& key, QChar side, const decimal& price,
        const std::function<bool(const Record&)>& visit) const;
    // The instruments whose book changed since the last call.
    QList<SecurityKey> takeMoved();

    void clear() override;
    void build() override;
    void add(const Record& record) override;
    void remove(const Record& record, int row) override;
    void update(const Record& record, int firstColumn, int lastColumn, int row) override;
    bool filter(const Record& record) const override;
    bool contains(const Record& record) const override;
    QString getClassName() const override { return QStringLiteral("OrderBook"); }
    void sourceDestroyed() override;

private:
    explicit OrderBook(Table* orders);
    ~OrderBook() override;

    // Price, then order number: both sides keep the better price first.
    struct Priority
    {
        decimal price;
        qint64 number;
    };
    struct BidFirst
    {
        bool operator()(const Priority& a, const Priority& b) const
        {
            const int c = a.price.compare(b.price);
            return c != 0 ? c > 0 : a.number < b.number;
        }
    };
    struct OfferFirst
    {
        bool operator()(const Priority& a, const Priority& b) const
        {
            const int c = a.price.compare(b.price);
            return c != 0 ? c < 0 : a.number < b.number;
        }
    };
    struct Sides
    {
        std::map<Priority, Record, BidFirst> bids;
        std::map<Priority, Record, OfferFirst> offers;
    };
    struct Placed
    {
        SecurityKey key;
        bool buy;
        Priority priority;
    };

    Table* m_table; // not owned; null once destroyed
    QHash<SecurityKey, Sides> m_books;
    QHash<const void*, Placed> m_placed; // by record handle, so that a changed record leaves its old place
    QSet<SecurityKey> m_moved;
    int m_stock, m_board, m_sec, m_number, m_side, m_price, m_balance, m_status;
};
