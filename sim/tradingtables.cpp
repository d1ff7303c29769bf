#include "sim/tradingtables.h"

#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/db/table.h"
#include "core/host/schema/hostschema.h"
#include "sim/generatorutil.h"
#include "sim/samplemarketdata.h"

#include <QHash>
#include <QRandomGenerator>

using GeneratorUtil::onStep;
using GeneratorUtil::tableSeed;

namespace {

// Column positions of a table, looked up once: a million rows are written by position.
struct Columns
{
    Columns(const Table* table, std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            index << table->columnIndex(QString::fromLatin1(name));
    }
    int operator[](int i) const { return index.at(i); }
    QList<int> index;
};

struct Position
{
    QString account;
    SecurityKey key;
    qint64 open = 0;
    qint64 bought = 0;
    qint64 sold = 0;
    decimal lastPrice;
    decimal settle;
    int lotsize = 1;
    int decimals = 0;
};

} // namespace

void TradingTables::fill(Table* table) const
{
    const QString name = table->name();
    const bool orders = name == QLatin1String("orders");
    const bool deals = name == QLatin1String("deals");
    const bool positions = name == QLatin1String("positions");
    const bool fees = name == QLatin1String("fee") || name == QLatin1String("broker_fee");
    const SampleMarketOptions& options = m_market.options;
    const QVector<SampleInstrument>& instruments = m_market.instruments;
    QVector<int> futures;
    QVector<int> optionsList;
    for (int i = 0; i < instruments.size(); ++i) {
        if (instruments[i].key.board == 14)
            futures << i;
        else if (instruments[i].key.board == 15)
            optionsList << i;
    }
    const QStringList clients = m_market.clientCodes;
    const int session = m_market.currentSession;
    // The day's history runs from the opening at 10:00 (from midnight for a market made earlier) to the moment the
    // market is made, so that the live orders that follow carry the same day and later times.
    const qint64 end = datetime::fromQDateTime(m_market.now).toMSecs();
    const QDateTime opening(m_market.tradeDate, QTime(10, 0));
    const qint64 dayStart
        = datetime::fromQDateTime(m_market.now > opening ? opening : QDateTime(m_market.tradeDate, QTime(0, 0)))
              .toMSecs();
    const qint64 daySpan = qMax<qint64>(0, end - dayStart - 1000);

    QRandomGenerator rng(tableSeed(options.seed, QStringLiteral("trading")));
    QRandomGenerator feeRng(tableSeed(options.seed, name));
    RecordsTrans trans(table);
    const Columns oc(table,
        { "order_num", "stock_id", "board_id", "sec_id", "sess_id", "buysell", "price", "quantity", "balance", "status",
            "account", "moment", "signs", "login", "comment" });
    const Columns dc(table,
        { "deal_num", "order_num", "stock_id", "board_id", "sec_id", "sess_id", "buysell", "price", "quantity",
            "account", "moment", "signs", "fee_flag", "lotsize" });
    const Columns fc(table, { "deal_num", "fee_buy", "fee_sell" });
    QHash<QString, Position> book;
    qint64 dealNum = 5000000;

    for (int n = 0; n < options.orders; ++n) {
        // Futures trade more than options.
        const bool option = !optionsList.isEmpty() && rng.bounded(10) < 3;
        const SampleInstrument& in = instruments[option ? optionsList[int(rng.bounded(optionsList.size()))]
                                                        : futures[int(rng.bounded(futures.size()))]];
        const QChar side = rng.bounded(2) ? QLatin1Char('B') : QLatin1Char('S');
        const int ticks = int(rng.bounded(41)) - 20;
        decimal price = onStep(in.settle.toDouble() + ticks * in.step.toDouble(), in.step, in.decimals);
        price = qBound(in.minPrice, price, in.maxPrice);
        const qint64 quantity = 1 + int(rng.bounded(50));
        const int fillKind = int(rng.bounded(10)); // 0-6 none, 7-8 part, 9 all
        const qint64 filled = fillKind < 7 ? 0
            : fillKind < 9 && quantity > 1 ? 1 + int(rng.bounded(int(quantity) - 1))
                                           : quantity;
        const qint64 balance = quantity - filled;
        const int status = balance == 0 ? HostSchema::StatusFilled
            : rng.bounded(10) == 0      ? HostSchema::StatusCancelled
                                        : HostSchema::StatusActive;
        const int client = int(rng.bounded(clients.size()));
        const QString& account = clients[client];
        const qint64 moment = dayStart + daySpan * n / qMax(1, options.orders) + int(rng.bounded(1000));
        const int orderSession = rng.bounded(20) == 0 ? session - 1 : session;
        const qint64 signs = rng.bounded(50) == 0 ? IcebergSign : 0;
        const qint64 orderNum = 1000000 + n;
        if (orders) {
            RecordUpdater u(Record(table), trans);
            u.data(oc[0]) = orderNum;
            u.data(oc[1]) = in.key.stock;
            u.data(oc[2]) = in.key.board;
            u.data(oc[3]) = in.key.sec;
            u.data(oc[4]) = orderSession;
            u.data(oc[5]) = side;
            u.data(oc[6]) = price;
            u.data(oc[7]) = quantity;
            u.data(oc[8]) = balance;
            u.data(oc[9]) = status;
            u.data(oc[10]) = account;
            u.data(oc[11]) = datetime(moment);
            u.data(oc[12]) = signs;
            u.data(oc[13])
                = QStringLiteral("trader%1").arg(client / qMax(1, options.clientsPerFirm) + 1, 2, 10, QLatin1Char('0'));
            if (n % 7 == 0)
                u.data(oc[14]) = QStringLiteral("авто");
        }
        // A fill of two parts when it can be split.
        const qint64 parts[2] = { filled > 1 ? filled / 2 : filled, filled > 1 ? filled - filled / 2 : 0 };
        for (qint64 part : parts) {
            if (part == 0)
                continue;
            ++dealNum;
            const bool withFee = dealNum % 10 == 0;
            const int rare = int(rng.bounded(200)); // drawn for every table: all follow one stream of orders
            if (deals) {
                const qint64 dealSigns = rare == 0 ? ExecutionSign | ExpirationSign
                    : rare == 1                    ? ExpirationSign
                    : in.key.board == 3            ? AddressSign
                                                   : 0;
                RecordUpdater u(Record(table), trans);
                u.data(dc[0]) = dealNum;
                u.data(dc[1]) = orderNum;
                u.data(dc[2]) = in.key.stock;
                u.data(dc[3]) = in.key.board;
                u.data(dc[4]) = in.key.sec;
                u.data(dc[5]) = orderSession;
                u.data(dc[6]) = side;
                u.data(dc[7]) = price;
                u.data(dc[8]) = part;
                u.data(dc[9]) = account;
                u.data(dc[10]) = datetime(moment + 5);
                u.data(dc[11]) = dealSigns;
                u.data(dc[12]) = withFee ? 1 : 0;
                u.data(dc[13]) = in.lotsize;
            }
            if (fees && withFee) {
                const decimal base = decimal::fromDouble(price.toDouble() * double(part) * in.lotsize * 0.0001, 2);
                const decimal extra = decimal(qint64(feeRng.bounded(100)), 2);
                RecordUpdater u(Record(table), trans);
                u.data(fc[0]) = dealNum;
                u.data(fc[1]) = base + extra;
                u.data(fc[2]) = base;
            }
            if (positions) {
                const QString key = account + QLatin1Char('|') + in.key.textId();
                Position& p = book[key];
                p.account = account;
                p.key = in.key;
                (side == QLatin1Char('B') ? p.bought : p.sold) += part;
                p.lastPrice = price;
                p.settle = in.settle;
                p.lotsize = in.lotsize;
                p.decimals = in.decimals;
            }
        }
    }

    if (positions) {
        QStringList keys = book.keys();
        keys.sort();
        for (const QString& key : keys) {
            const Position& p = book[key];
            const qint64 pos = p.open + p.bought - p.sold;
            const xdecimal vm = (xdecimal(p.settle) - xdecimal(p.lastPrice)) * xdecimal(decimal(pos * p.lotsize, 0));
            RecordUpdater u(Record(table), trans);
            u.data(QStringLiteral("account")) = p.account;
            GeneratorUtil::setSecurityKey(u, p.key);
            u.data(QStringLiteral("open_pos")) = p.open;
            u.data(QStringLiteral("buy_qty")) = p.bought;
            u.data(QStringLiteral("sell_qty")) = p.sold;
            u.data(QStringLiteral("pos")) = pos;
            u.data(QStringLiteral("avg_price")) = p.lastPrice;
            u.data(QStringLiteral("vm")) = vm.withScale(2);
        }
    }
}
