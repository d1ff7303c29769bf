#include "sim/referencetables.h"

#include "core/db/recordstrans.h"
#include "core/db/table.h"
#include "core/host/schema/hostschema.h"
#include "sim/generatorutil.h"
#include "sim/samplemarketdata.h"
#include "sim/stagedrow.h"

#include <QRandomGenerator>

using GeneratorUtil::tableSeed;
using GeneratorUtil::withEdition;

namespace {

// The names and descriptions are the terminal's Russian source texts: the directory translates them as shown.
struct EnumEntry
{
    QVariant code;
    const char* name;
    const char* descr;
};

QList<EnumEntry> enumEntries(const QString& table)
{
    if (table == QLatin1String("status"))
        return { { HostSchema::StatusActive, QT_TRANSLATE_NOOP("EnumDirectory", "Активна"),
                     QT_TRANSLATE_NOOP("EnumDirectory", "Заявка выставлена и ждёт исполнения") },
            { HostSchema::StatusFilled, QT_TRANSLATE_NOOP("EnumDirectory", "Исполнена"),
                QT_TRANSLATE_NOOP("EnumDirectory", "Заявка исполнена полностью") },
            { HostSchema::StatusCancelled, QT_TRANSLATE_NOOP("EnumDirectory", "Снята"),
                QT_TRANSLATE_NOOP("EnumDirectory", "Заявка снята участником") },
            { HostSchema::StatusRejected, QT_TRANSLATE_NOOP("EnumDirectory", "Отклонена"),
                QT_TRANSLATE_NOOP("EnumDirectory", "Заявка отклонена биржей") } };
    if (table == QLatin1String("sec_state"))
        return { { 1, QT_TRANSLATE_NOOP("EnumDirectory", "Торгуется"),
                     QT_TRANSLATE_NOOP("EnumDirectory", "Торги инструментом разрешены") },
            { 2, QT_TRANSLATE_NOOP("EnumDirectory", "Приостановлен"),
                QT_TRANSLATE_NOOP("EnumDirectory", "Торги инструментом приостановлены") },
            { 3, QT_TRANSLATE_NOOP("EnumDirectory", "Исполнен"),
                QT_TRANSLATE_NOOP("EnumDirectory", "Срок обращения инструмента истёк") } };
    if (table == QLatin1String("sec_type"))
        return { { QChar('F'), QT_TRANSLATE_NOOP("EnumDirectory", "Фьючерс"),
                     QT_TRANSLATE_NOOP("EnumDirectory", "Фьючерсный контракт") },
            { QChar('O'), QT_TRANSLATE_NOOP("EnumDirectory", "Опцион"),
                QT_TRANSLATE_NOOP("EnumDirectory", "Опционный контракт") } };
    if (table == QLatin1String("sess_state"))
        return { { HostSchema::SessionPlanned, QT_TRANSLATE_NOOP("EnumDirectory", "Назначена"),
                     QT_TRANSLATE_NOOP("EnumDirectory", "Сессия назначена") },
            { HostSchema::SessionTrading, QT_TRANSLATE_NOOP("EnumDirectory", "Идут торги"),
                QT_TRANSLATE_NOOP("EnumDirectory", "Сессия идёт") },
            { HostSchema::SessionSuspended, QT_TRANSLATE_NOOP("EnumDirectory", "Приостановлена"),
                QT_TRANSLATE_NOOP("EnumDirectory", "Торги приостановлены") },
            { HostSchema::SessionFinished, QT_TRANSLATE_NOOP("EnumDirectory", "Завершена"),
                QT_TRANSLATE_NOOP("EnumDirectory", "Сессия завершена") } };
    if (table == QLatin1String("buysell"))
        return { { QChar('B'), QT_TRANSLATE_NOOP("EnumDirectory", "Покупка"),
                     QT_TRANSLATE_NOOP("EnumDirectory", "Заявка или сделка на покупку") },
            { QChar('S'), QT_TRANSLATE_NOOP("EnumDirectory", "Продажа"),
                QT_TRANSLATE_NOOP("EnumDirectory", "Заявка или сделка на продажу") } };
    if (table == QLatin1String("price_dir"))
        return { { HostSchema::PriceUnchanged, QT_TRANSLATE_NOOP("EnumDirectory", "Без изменений"),
                     QT_TRANSLATE_NOOP("EnumDirectory", "Цена не изменилась") },
            { HostSchema::PriceUp, QT_TRANSLATE_NOOP("EnumDirectory", "Рост"),
                QT_TRANSLATE_NOOP("EnumDirectory", "Цена выросла") },
            { HostSchema::PriceDown, QT_TRANSLATE_NOOP("EnumDirectory", "Падение"),
                QT_TRANSLATE_NOOP("EnumDirectory", "Цена упала") } };
    if (table == QLatin1String("opt_type"))
        return { { QChar('C'), QT_TRANSLATE_NOOP("EnumDirectory", "Колл"),
                     QT_TRANSLATE_NOOP("EnumDirectory", "Опцион на покупку") },
            { QChar('P'), QT_TRANSLATE_NOOP("EnumDirectory", "Пут"),
                QT_TRANSLATE_NOOP("EnumDirectory", "Опцион на продажу") } };
    if (table == QLatin1String("opt_calc"))
        return { { HostSchema::OptionAmericanMargined, QT_TRANSLATE_NOOP("EnumDirectory", "Американский: Маржируемый"),
                     QT_TRANSLATE_NOOP("EnumDirectory", "Маржируемый опцион американского типа") },
            { HostSchema::OptionEuropeanPremium, QT_TRANSLATE_NOOP("EnumDirectory", "Европейский: Премиальный"),
                QT_TRANSLATE_NOOP("EnumDirectory", "Премиальный опцион европейского типа") } };
    return {};
}

const char* const Surnames[] = { "Иванов", "Петров", "Сидоров", "Смирнов", "Кузнецов", "Попов", "Соколов", "Лебедев",
    "Козлов", "Новиков", "Морозов", "Волков" };

int isinOf(const SecurityKey& key)
{
    return int(key.sec % 100000) + 100000;
}

// The group bit (futures or options) and the sessions an instrument trades in: most trade in the main and the
// evening session, every fifth one in the evening only, and negotiated-deal mirrors in neither.
qint64 instrumentSigns(const SampleInstrument& i)
{
    const qint64 group = i.sectype == 'O' ? 0x80000000LL : 0x40000000LL;
    using namespace HostSchema;
    const qint64 sessions = i.key.board == SampleMarketData::MirrorBoard ? 0
        : i.key.sec % 5 == 0                                             ? SecSignEveningSession
                                                                         : SecSignEveningSession | SecSignMainSession;
    return group | sessions;
}
} // namespace

void ReferenceTables::fill(Table* table, int edition) const
{
    const QString name = table->name();
    if (name == QLatin1String("stocks"))
        fillStocks(table, edition);
    else if (name == QLatin1String("boards"))
        fillBoards(table, edition);
    else if (name == QLatin1String("securities"))
        fillSecurities(table, edition);
    else if (name == QLatin1String("sessions"))
        fillSessions(table, edition);
    else if (!enumEntries(name).isEmpty())
        fillEnumeration(table, edition);
    else if (name.startsWith(QLatin1String("kv.investor")) || name == QLatin1String("kv.dealer")
        || name == QLatin1String("kv.rf") || name == QLatin1String("kv.user")
        || name == QLatin1String("kv.fut_settlement") || name == QLatin1String("kv.broker_fee_param")
        || name == QLatin1String("money_limits"))
        fillAccounts(table, edition);
    else if (name == QLatin1String("kv.fut_margin_type") || name == QLatin1String("fut_vm_sa")
        || name == QLatin1String("opt_vm_sa"))
        fillMargins(table);
    else
        fillInstrumentExtras(table, edition);
}

void ReferenceTables::fillStocks(Table* table, int edition) const
{
    RecordsTrans trans(table);
    StagedRow(table, trans)
        .set("stock_id", SampleMarketData::StockId)
        .set("stock_code", QStringLiteral("TARVEN"))
        .set("stock_name", withEdition(QStringLiteral("Срочный рынок"), edition, 40))
        .set("time_offset_ms", 0);
}

void ReferenceTables::fillBoards(Table* table, int edition) const
{
    using namespace HostSchema;
    struct Board
    {
        int id;
        const char* code;
        const char* name;
        int flags;
    };
    static const Board boards[] = {
        { SampleMarketData::FuturesBoard, "FUT", "Фьючерсы", BoardTrade | BoardDom | BoardChart | BoardFavorite },
        { 4, "IDX", "Индексы", BoardIndex | BoardChart },
        { 2, "SPRD", "Календарные спреды", BoardTrade | BoardDom },
        { SampleMarketData::MirrorBoard, "ADDR", "Внесистемные сделки", BoardTrade | BoardAddress },
        { 10, "CMB", "Связки фьючерсов", BoardTrade | BoardDom },
        { 11, "CMBO", "Связки опционов", BoardTrade | BoardDom },
        { SampleMarketData::OptionsBoard, "OPT", "Опционы", BoardTrade | BoardDom | BoardChart },
        { 17, "QRB", "Заявки ЦК", BoardTrade | BoardQRBRequest },
    };
    RecordsTrans trans(table);
    for (const Board& b : boards) {
        StagedRow(table, trans)
            .set("stock_id", SampleMarketData::StockId)
            .set("board_id", b.id)
            .set("board_code", QString::fromLatin1(b.code))
            .set("board_name", withEdition(QString::fromUtf8(b.name), edition, 40))
            .set("flags", b.flags);
    }
}

void ReferenceTables::fillSecurities(Table* table, int edition) const
{
    const int session = m_market.currentSession;
    const QVector<SampleUnderlying>& underlyings = m_market.underlyings;
    RecordsTrans trans(table);
    int series = 0;
    QString lastFuture;
    for (const SampleInstrument& i : m_market.instruments) {
        const bool option = i.sectype == 'O';
        int calc = 0;
        for (const SampleUnderlying& u : underlyings) {
            if (u.code == i.base)
                calc = u.optionCalc;
        }
        if (i.sectype == 'F' && i.key.board == SampleMarketData::FuturesBoard)
            ++series;
        const QString kind = option ? QStringLiteral("Опцион") : QStringLiteral("Фьючерсный контракт");
        const bool tradesInNoSession
            = (instrumentSigns(i) & (HostSchema::SecSignEveningSession | HostSchema::SecSignMainSession)) == 0;
        StagedRow row(table, trans);
        row.set("stock_id", i.key.stock)
            .set("board_id", i.key.board)
            .set("sec_id", i.key.sec)
            .set("sec_code", i.code)
            .set("sec_name", withEdition(i.name, edition, 25))
            .set("sec_longname", withEdition(QStringLiteral("%1 %2").arg(kind, i.name), edition, 80))
            .set("base_code", i.base)
            .set("isin_id", isinOf(i.key))
            .set("fut_isin_id", isinOf(option || i.key.board == SampleMarketData::MirrorBoard ? i.future : i.key))
            // Options are written on the exchange-traded future; its off-book mirror has no series.
            .set("option_series_id", i.key.board == SampleMarketData::MirrorBoard ? 0 : series)
            .set("sectype", QChar::fromLatin1(i.sectype))
            .set("expdate", datetime::fromDate(i.expiry))
            .set("decimals", i.decimals)
            .set("price_step", i.step)
            .set("min_price", i.minPrice)
            .set("max_price", i.maxPrice)
            .set("lotsize", i.lotsize)
            .set("state", 1)
            .set("signs", instrumentSigns(i))
            // An instrument trading in no session is left from an earlier one.
            .set("sess_id", tradesInNoSession && session > SampleMarketData::FirstSession ? session - 1 : session)
            // The opening quotes carry no change time: nothing flashes until the market moves.
            .set("price_dir", int(HostSchema::PriceUnchanged))
            .set("bid_dir", int(HostSchema::PriceUnchanged))
            .set("offer_dir", int(HostSchema::PriceUnchanged));
        // The day's trades so far: their last price, their lots, and the settlement price that follows them.
        // The quotes are the best resting orders, a step off the settlement price for a side nobody rests on.
        const decimal settle = m_market.settlementPrice(i);
        const SampleTrading trading = m_market.trading.value(i.key.sec);
        const decimal below = trading.offer.isEmpty() ? settle : qMin(settle, trading.offer);
        const decimal above = qMax(settle, trading.bid); // an empty bid is below every price
        row.set("settle_price", settle)
            .set("bid", trading.bid.isEmpty() ? qMax(i.minPrice, below - i.step) : trading.bid)
            .set("offer", trading.offer.isEmpty() ? qMin(i.maxPrice, above + i.step) : trading.offer)
            .set("volume", trading.volume);
        if (trading.volume > 0)
            row.set("last", settle);
        if (option || i.key.board == SampleMarketData::MirrorBoard) {
            row.set("main_board_id", i.future.board).set("main_sec_id", i.future.sec);
        }
        if (option) {
            // The strike is the last word of the name.
            row.set("strike", i.name.section(QLatin1Char(' '), -1))
                .set("opt_type", i.name.section(QLatin1Char(' '), 1, 1).at(0))
                .set("option_calc", calc);
        }
    }
}

void ReferenceTables::fillSessions(Table* table, int edition) const
{
    const int count = m_market.options.sessions;
    const int current = m_market.currentSession;
    RecordsTrans trans(table);
    for (int s = 0; s < count; ++s) {
        const int id = SampleMarketData::FirstSession + s;
        const QDate day = m_market.tradeDate.addDays(id - current);
        const int state = id < current ? HostSchema::SessionFinished
            : id == current            ? HostSchema::SessionTrading
                                       : HostSchema::SessionPlanned;
        StagedRow(table, trans)
            .set("stock_id", SampleMarketData::StockId)
            .set("sess_id", id)
            .set("sess_name",
                withEdition(QStringLiteral("Сессия %1").arg(day.toString(QStringLiteral("dd.MM.yyyy"))), edition, 40))
            .set("begin", QDateTime(day.addDays(-1), QTime(19, 0)))
            .set("end", QDateTime(day, QTime(18, 50)))
            .set("state", state);
    }
}

void ReferenceTables::fillEnumeration(Table* table, int edition) const
{
    RecordsTrans trans(table);
    for (const EnumEntry& e : enumEntries(table->name())) {
        StagedRow(table, trans)
            .set("code", e.code)
            .set("name", withEdition(QString::fromUtf8(e.name), edition, 40))
            .set("descr", QString::fromUtf8(e.descr));
    }
}

void ReferenceTables::fillAccounts(Table* table, int edition) const
{
    const QString name = table->name();
    const QStringList firms = m_market.firmCodes;
    const QStringList clients = m_market.clientCodes;
    QRandomGenerator rng(tableSeed(m_market.options.seed, name));
    RecordsTrans trans(table);
    if (name == QLatin1String("kv.rf")) {
        for (int f = 0; f < firms.size(); ++f)
            StagedRow(table, trans)
                .set("code", firms[f])
                .set("name", withEdition(QStringLiteral("ООО «Брокер %1»").arg(f + 1), edition, 60))
                .set("status", f % 5 == 4 ? 1 : 0);
    } else if (name == QLatin1String("kv.investor")) {
        for (int c = 0; c < clients.size(); ++c) {
            const QString surname = QString::fromUtf8(Surnames[c % 12]);
            StagedRow(table, trans)
                .set("code", clients[c])
                .set("firm", clients[c].left(4))
                .set("name",
                    withEdition(QStringLiteral("%1 %2.%3.")
                                    .arg(surname)
                                    .arg(QChar(0x410 + c % 28))
                                    .arg(QChar(0x410 + (c / 28) % 28)),
                        edition, 60))
                .set("status", int(rng.bounded(10) == 0));
        }
    } else if (name == QLatin1String("kv.dealer")) {
        for (int f = 0; f < firms.size(); ++f)
            StagedRow(table, trans)
                .set("code", firms[f] + QStringLiteral("000"))
                .set("name", withEdition(QStringLiteral("Дилер %1").arg(firms[f]), edition, 60))
                .set("status", 0);
    } else if (name == QLatin1String("kv.user")) {
        for (int f = 0; f < firms.size(); ++f)
            StagedRow(table, trans)
                .set("login", QStringLiteral("trader%1").arg(f + 1, 2, 10, QLatin1Char('0')))
                .set("aspref", 1000 + f)
                .set("name", withEdition(QStringLiteral("Трейдер %1").arg(f + 1), edition, 60))
                .set("rights", qint64(0x8 | 0x10 | (f % 2 ? 0x80 : 0)));
    } else if (name == QLatin1String("kv.fut_settlement")) {
        for (const QString& client : clients) {
            StagedRow(table, trans)
                .set("code", client)
                .set("type", 0)
                .set("settlement_account", client.left(4) + QStringLiteral("000"))
                .set("acceptable", 1);
        }
    } else if (name == QLatin1String("kv.broker_fee_param")) {
        for (int c = 0; c < clients.size(); ++c) {
            StagedRow(table, trans)
                .set("account", clients[c])
                .set("seq", 0)
                .set("date_from", datetime::fromDate(m_market.tradeDate.addMonths(-1)))
                .set("rate", decimal(int(5 + rng.bounded(20)), 4))
                .set("min_fee", decimal(100, 2));
            if (c % 4 == 0) {
                StagedRow(table, trans)
                    .set("account", clients[c])
                    .set("seq", 1)
                    .set("date_from", datetime::fromDate(m_market.tradeDate.addMonths(1)))
                    .set("rate", decimal(int(5 + rng.bounded(20)), 4))
                    .set("min_fee", decimal(150, 2));
            }
        }
    } else if (name == QLatin1String("money_limits")) {
        // Generous limits: orders of a few lots pass, a large one shows the check.
        for (const QString& client : clients) {
            const qint64 limit = 2000000 + 500000 * qint64(rng.bounded(17));
            StagedRow(table, trans)
                .set("account", client)
                .set("limit", decimal(limit * 100, 2))
                .set("used", decimal(limit * qint64(rng.bounded(40)), 2))
                .set("comment", QString());
        }
    }
}

void ReferenceTables::fillMargins(Table* table) const
{
    const QString name = table->name();
    QRandomGenerator rng(tableSeed(m_market.options.seed, name));
    RecordsTrans trans(table);
    for (const QString& firm : m_market.firmCodes) {
        const QString account = firm + QStringLiteral("000");
        if (name == QLatin1String("kv.fut_margin_type")) {
            StagedRow(table, trans)
                .set("code", account)
                .set("margin_type", int(rng.bounded(3)))
                .set("sa_type", int(rng.bounded(3)))
                .set("ucp_type", int(rng.bounded(2)))
                .set("operator_input", int(rng.bounded(2)));
        } else {
            StagedRow(table, trans)
                .set("settlement_account", account)
                .set("vm", xdecimal(decimal(qint64(rng.bounded(2000000)) - 1000000, 2)));
        }
    }
}

void ReferenceTables::fillInstrumentExtras(Table* table, int edition) const
{
    const QString name = table->name();
    QRandomGenerator rng(tableSeed(m_market.options.seed, name));
    RecordsTrans trans(table);
    if (name == QLatin1String("base_contracts")) {
        for (const SampleUnderlying& u : m_market.underlyings) {
            StagedRow(table, trans)
                .set("base_code", u.code)
                .set("name", withEdition(u.name, edition, 60))
                .set("initial_margin", decimal::fromDouble(u.price * u.lotsize * 0.12, 2))
                .set("limit_pct", decimal(1000, 2))
                .set("currency", QStringLiteral("RUB"));
        }
        return;
    }
    int series = 0;
    for (const SampleInstrument& i : m_market.instruments) {
        if (name == QLatin1String("option_series") && i.sectype == 'F'
            && i.key.board == SampleMarketData::FuturesBoard) {
            ++series;
            int calc = 1;
            for (const SampleUnderlying& u : m_market.underlyings) {
                if (u.code == i.base)
                    calc = u.optionCalc;
            }
            StagedRow(table, trans)
                .set("option_series_id", series)
                .set("base_code", i.base)
                .set("expdate", datetime::fromDate(i.expiry))
                .set("option_calc", calc)
                .set("main_board_id", i.key.board)
                .set("main_sec_id", i.key.sec)
                .set("name", withEdition(QStringLiteral("Опционы на %1").arg(i.name), edition, 40));
        } else if (name == QLatin1String("volat") && i.sectype == 'O') {
            StagedRow(table, trans)
                .set("stock_id", i.key.stock)
                .set("board_id", i.key.board)
                .set("sec_id", i.key.sec)
                .set("volat", decimal(qint64(200000 + rng.bounded(400000)), 4));
        }
    }
}
