#include "sim/orderbook.h"

#include "core/db/masterindex.h"
#include "core/db/table.h"
#include "core/host/schema/hostschema.h"

OrderBook* OrderBook::of(Table* orders)
{
    auto* book = orders->findChild<OrderBook*>(QString(), Qt::FindDirectChildrenOnly);
    return book ? book : new OrderBook(orders);
}

OrderBook::OrderBook(Table* orders)
    : QObject(orders)
    , m_table(orders)
    , m_stock(orders->columnIndex(QStringLiteral("stock_id")))
    , m_board(orders->columnIndex(QStringLiteral("board_id")))
    , m_sec(orders->columnIndex(QStringLiteral("sec_id")))
    , m_number(orders->columnIndex(QStringLiteral("order_num")))
    , m_side(orders->columnIndex(QStringLiteral("buysell")))
    , m_price(orders->columnIndex(QStringLiteral("price")))
    , m_balance(orders->columnIndex(QStringLiteral("balance")))
    , m_status(orders->columnIndex(QStringLiteral("status")))
{
    // Callers ask at once, before the table's queued build would run.
    build();
    m_table->addIndex(this);
}

OrderBook::~OrderBook()
{
    if (m_table)
        m_table->removeIndex(this);
}

decimal OrderBook::best(const SecurityKey& key, QChar side) const
{
    const auto it = m_books.constFind(key);
    if (it == m_books.constEnd())
        return decimal::minimum();
    if (side == QLatin1Char('B'))
        return it->bids.empty() ? decimal::minimum() : it->bids.begin()->first.price;
    return it->offers.empty() ? decimal::minimum() : it->offers.begin()->first.price;
}

void OrderBook::visitCrossing(
    const SecurityKey& key, QChar side, const decimal& price, const std::function<bool(const Record&)>& visit) const
{
    const auto it = m_books.constFind(key);
    if (it == m_books.constEnd())
        return;
    if (side == QLatin1Char('B')) {
        for (const auto& offer : it->offers) {
            if (price < offer.first.price || !visit(offer.second))
                return;
        }
    } else {
        for (const auto& bid : it->bids) {
            if (bid.first.price < price || !visit(bid.second))
                return;
        }
    }
}

QList<SecurityKey> OrderBook::takeMoved()
{
    QList<SecurityKey> moved = m_moved.values();
    m_moved.clear();
    // Callers write in this order: keep it the same for the same changes.
    std::sort(moved.begin(), moved.end());
    return moved;
}

void OrderBook::clear()
{
    for (auto it = m_books.constBegin(); it != m_books.constEnd(); ++it)
        m_moved.insert(it.key());
    m_books.clear();
    m_placed.clear();
}

void OrderBook::build()
{
    clear();
    if (!m_table)
        return;
    for (const Record& r : *m_table->masterIndex())
        add(r);
}

void OrderBook::add(const Record& record)
{
    if (!filter(record) || m_placed.contains(record.handle()))
        return;
    Placed placed;
    placed.key = SecurityKey { record.data(m_stock).toInteger(), record.data(m_board).toInteger(),
        record.data(m_sec).toInteger64() };
    placed.buy = record.data(m_side).toChar() == QLatin1Char('B');
    placed.priority = Priority { record.data(m_price).toDecimal(), record.data(m_number).toInteger64() };
    Sides& sides = m_books[placed.key];
    if (placed.buy)
        sides.bids.emplace(placed.priority, record);
    else
        sides.offers.emplace(placed.priority, record);
    m_placed.insert(record.handle(), placed);
    m_moved.insert(placed.key);
}

void OrderBook::remove(const Record& record, int)
{
    const auto it = m_placed.find(record.handle());
    if (it == m_placed.end())
        return;
    const auto book = m_books.find(it->key);
    if (book != m_books.end()) {
        if (it->buy)
            book->bids.erase(it->priority);
        else
            book->offers.erase(it->priority);
        if (book->bids.empty() && book->offers.empty())
            m_books.erase(book);
    }
    m_moved.insert(it->key);
    m_placed.erase(it);
}

void OrderBook::update(const Record& record, int, int, int row)
{
    // The record's old place is known by its handle; its new values decide where it goes now.
    remove(record, row);
    add(record);
}

bool OrderBook::filter(const Record& record) const
{
    const QChar side = record.data(m_side).toChar();
    return record.data(m_status).toInteger() == HostSchema::StatusActive && record.data(m_balance).toInteger64() > 0
        && (side == QLatin1Char('B') || side == QLatin1Char('S'));
}

bool OrderBook::contains(const Record& record) const
{
    return m_placed.contains(record.handle());
}

void OrderBook::sourceDestroyed()
{
    m_table = nullptr;
    m_books.clear();
    m_placed.clear();
    m_moved.clear();
}
