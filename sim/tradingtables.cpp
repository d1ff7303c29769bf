#include "sim/tradingtables.h"

#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/db/table.h"
#include "core/host/schema/hostschema.h"
#include "sim/generatorutil.h"
#include "sim/holding.h"
#include "sim/samplemarketdata.h"

#include <QHash>
#include <QRandomGenerator>

#include <cstdlib>

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

} // namespace

void TradingTables::generate(const std::function<void(const Order&)>& visit) const
{
    const SampleMarketOptions& options = m_market.options;
    const QVector<SampleInstrument>& instruments = m_market.instruments;
    QVector<int> futures;
    QVector<int> optionsList;
    for (int i = 0; i < instruments.size(); ++i) {
        if (instruments[i].key.board == SampleMarketData::FuturesBoard)
            futures << i;
        else if (instruments[i].key.board == SampleMarketData::OptionsBoard)
            optionsList << i;
    }
    const int clients = m_market.clientCodes.size();
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
    qint64 dealNum = 5000000;
    for (int n = 0; n < options.orders; ++n) {
        Order o;
        // Futures trade more than options.
        const bool option = !optionsList.isEmpty() && rng.bounded(10) < 3;
        const SampleInstrument& in = instruments[option ? optionsList[int(rng.bounded(optionsList.size()))]
                                                        : futures[int(rng.bounded(futures.size()))]];
        o.instrument = &in;
        o.side = rng.bounded(2) ? QLatin1Char('B') : QLatin1Char('S');
        const int ticks = int(rng.bounded(41)) - 20;
        auto ticksAway = [&in](int n) {
            return qBound(
                in.minPrice, onStep(in.settle.toDouble() + n * in.step.toDouble(), in.step, in.decimals), in.maxPrice);
        };
        o.quantity = 1 + int(rng.bounded(50));
        const int fillKind = int(rng.bounded(10)); // 0-6 none, 7-8 part, 9 all
        const qint64 filled = fillKind < 7   ? 0
            : fillKind < 9 && o.quantity > 1 ? 1 + int(rng.bounded(int(o.quantity) - 1))
                                             : o.quantity;
        o.balance = o.quantity - filled;
        o.status = o.balance == 0  ? HostSchema::StatusFilled
            : rng.bounded(10) == 0 ? HostSchema::StatusCancelled
                                   : HostSchema::StatusActive;
        // An order still resting waits on its side of the settlement price, so the day leaves an uncrossed book.
        const int away = 1 + std::abs(ticks) % 20;
        o.price = o.status != HostSchema::StatusActive ? ticksAway(ticks)
            : o.side == QLatin1Char('B')               ? ticksAway(-away)
                                                       : ticksAway(away);
        o.client = int(rng.bounded(clients));
        o.moment = dayStart + daySpan * n / qMax(1, options.orders) + int(rng.bounded(1000));
        o.session = rng.bounded(20) == 0 ? session - 1 : session;
        o.signs = rng.bounded(50) == 0 ? IcebergSign : 0;
        o.number = 1000000 + n;
        // A fill of two parts when it can be split.
        o.parts[0] = filled > 1 ? filled / 2 : filled;
        o.parts[1] = filled > 1 ? filled - filled / 2 : 0;
        for (int part = 0; part < 2; ++part) {
            if (o.parts[part] == 0)
                continue;
            o.dealNumbers[part] = ++dealNum;
            o.rare[part] = int(rng.bounded(200));
        }
        visit(o);
    }
}

QHash<qint64, SampleTrading> TradingTables::tradedByInstrument() const
{
    QHash<qint64, SampleTrading> traded;
    generate([&](const Order& o) {
        SampleTrading& t = traded[o.instrument->key.sec];
        if (o.status == HostSchema::StatusActive) {
            if (o.side == QLatin1Char('B'))
                t.bid = qMax(t.bid, o.price);
            else if (t.offer.isEmpty() || o.price < t.offer)
                t.offer = o.price;
        }
        for (qint64 lots : o.parts) {
            if (lots == 0)
                continue;
            t.last = o.price; // orders come in time order
            t.volume += lots;
        }
    });
    return traded;
}

void TradingTables::fill(Table* table) const
{
    const QString name = table->name();
    const bool orders = name == QLatin1String("orders");
    const bool deals = name == QLatin1String("deals");
    const bool positions = name == QLatin1String("positions");
    const bool fees = name == QLatin1String("fee") || name == QLatin1String("broker_fee");
    QRandomGenerator feeRng(tableSeed(m_market.options.seed, name));
    RecordsTrans trans(table);
    const Columns oc(table,
        { "order_num", "stock_id", "board_id", "sec_id", "sess_id", "buysell", "price", "quantity", "balance", "status",
            "account", "moment", "signs", "login", "comment" });
    const Columns dc(table,
        { "deal_num", "order_num", "stock_id", "board_id", "sec_id", "sess_id", "buysell", "price", "quantity",
            "account", "moment", "signs", "fee_flag", "lotsize" });
    const Columns fc(table, { "deal_num", "fee_buy", "fee_sell" });
    struct Held
    {
        QString account;
        const SampleInstrument* instrument;
        Holding holding;
    };
    QHash<QString, Held> book;

    generate([&](const Order& o) {
        const SampleInstrument& in = *o.instrument;
        // Every eleventh order is the firm's own.
        const QString& account = o.number % 11 == 0
            ? m_market.firmCodes[o.client / qMax(1, m_market.options.clientsPerFirm)]
            : m_market.clientCodes[o.client];
        if (orders) {
            RecordUpdater u(Record(table), trans);
            u.data(oc[0]) = o.number;
            u.data(oc[1]) = in.key.stock;
            u.data(oc[2]) = in.key.board;
            u.data(oc[3]) = in.key.sec;
            u.data(oc[4]) = o.session;
            u.data(oc[5]) = o.side;
            u.data(oc[6]) = o.price;
            u.data(oc[7]) = o.quantity;
            u.data(oc[8]) = o.balance;
            u.data(oc[9]) = o.status;
            u.data(oc[10]) = account;
            u.data(oc[11]) = datetime(o.moment);
            u.data(oc[12]) = o.signs;
            u.data(oc[13]) = QStringLiteral("trader%1")
                                 .arg(o.client / qMax(1, m_market.options.clientsPerFirm) + 1, 2, 10, QLatin1Char('0'));
            if (o.number % 7 == 0)
                u.data(oc[14]) = QStringLiteral("авто");
        }
        for (int part = 0; part < 2; ++part) {
            const qint64 lots = o.parts[part];
            if (lots == 0)
                continue;
            const qint64 dealNum = o.dealNumbers[part];
            const bool withFee = dealNum % 10 == 0;
            if (deals) {
                const int rare = o.rare[part];
                const qint64 dealSigns = rare == 0                  ? ExecutionSign | ExpirationSign
                    : rare == 1                                     ? ExpirationSign
                    : rare == 2                                     ? PositionTransferSign
                    : rare == 3                                     ? CombinedSign
                    : in.key.board == SampleMarketData::MirrorBoard ? AddressSign
                                                                    : 0;
                RecordUpdater u(Record(table), trans);
                u.data(dc[0]) = dealNum;
                u.data(dc[1]) = o.number;
                u.data(dc[2]) = in.key.stock;
                u.data(dc[3]) = in.key.board;
                u.data(dc[4]) = in.key.sec;
                u.data(dc[5]) = o.session;
                u.data(dc[6]) = o.side;
                u.data(dc[7]) = o.price;
                u.data(dc[8]) = lots;
                u.data(dc[9]) = account;
                u.data(dc[10]) = datetime(o.moment + 5);
                u.data(dc[11]) = dealSigns;
                u.data(dc[12]) = withFee ? 1 : 0;
                u.data(dc[13]) = in.lotsize;
            }
            if (fees && withFee) {
                const decimal base = decimal::fromDouble(o.price.toDouble() * double(lots) * in.lotsize * 0.0001, 2);
                const decimal extra = decimal(qint64(feeRng.bounded(100)), 2);
                RecordUpdater u(Record(table), trans);
                u.data(fc[0]) = dealNum;
                u.data(fc[1]) = base + extra;
                u.data(fc[2]) = base;
            }
            if (positions) {
                Held& h = book[account + QLatin1Char('|') + in.key.textId()];
                h.account = account;
                h.instrument = &in;
                h.holding.addFill(o.side == QLatin1Char('B'), lots, o.price);
            }
        }
    });

    if (positions) {
        // Margins against the settlement price the day's trades left.
        QStringList keys = book.keys();
        keys.sort();
        for (const QString& key : keys) {
            const Held& h = book[key];
            const Holding& holding = h.holding;
            const decimal settle = m_market.settlementPrice(*h.instrument);
            RecordUpdater u(Record(table), trans);
            u.data(QStringLiteral("account")) = h.account;
            GeneratorUtil::setSecurityKey(u, h.instrument->key);
            u.data(QStringLiteral("open_pos")) = holding.open;
            u.data(QStringLiteral("buy_qty")) = holding.bought;
            u.data(QStringLiteral("sell_qty")) = holding.sold;
            u.data(QStringLiteral("pos")) = holding.position();
            if (!holding.averagePrice.isEmpty())
                u.data(QStringLiteral("avg_price")) = holding.averagePrice;
            u.data(QStringLiteral("vm")) = holding.margin(settle, h.instrument->lotsize);
        }
    }
    trans.commit();
}
