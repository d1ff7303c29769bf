#include "sim/samplemarket.h"

#include "sim/generatorutil.h"
#include "sim/referencetables.h"
#include "sim/tradingtables.h"

#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/db/table.h"
#include "core/host/schema/hostschema.h"
#include "core/host/tableregistry.h"

#include <QRandomGenerator>

#include <cmath>

using GeneratorUtil::onStep;
using GeneratorUtil::tableSeed;

namespace {

struct Underlying
{
    const char* code;
    const char* name;
    double price;
    int decimals;
    double step;
    int lotsize;
};

// Underlyings of the market: code, name, a typical price, decimals, price step and lot.
const Underlying Underlyings[] = {
    { "RTS", "Индекс РТС", 112000, 0, 10, 1 },
    { "Si", "Курс доллар США - российский рубль", 91500, 0, 1, 1000 },
    { "Eu", "Курс евро - российский рубль", 99800, 0, 1, 1000 },
    { "BR", "Нефть Brent", 78.45, 2, 0.01, 10 },
    { "GD", "Золото", 2035.6, 1, 0.1, 1 },
    { "SBRF", "Сбербанк", 27850, 0, 1, 100 },
    { "GAZR", "Газпром", 16320, 0, 1, 100 },
    { "LKOH", "Лукойл", 70120, 0, 1, 10 },
    { "VTBR", "ВТБ", 2540, 0, 1, 100000 },
    { "MIX", "Индекс МосБиржи", 3145.25, 2, 0.25, 1 },
    { "NG", "Природный газ", 2.815, 3, 0.001, 100 },
    { "ED", "Курс евро - доллар США", 1.0876, 4, 0.0001, 1000 },
    { "GMKN", "Норильский никель", 15980, 0, 1, 10 },
    { "ROSN", "Роснефть", 56700, 0, 1, 100 },
    { "MGNT", "Магнит", 7120, 0, 1, 10 },
    { "NOTK", "Новатэк", 16140, 0, 1, 100 },
    { "ALRS", "Алроса", 7230, 0, 1, 100 },
    { "AFLT", "Аэрофлот", 4125, 0, 1, 100 },
    { "MTSI", "МТС", 2710, 0, 1, 100 },
    { "PLZL", "Полюс", 11860, 0, 1, 1 },
    { "SILV", "Серебро", 23.41, 2, 0.01, 1 },
    { "PLT", "Платина", 912.3, 1, 0.1, 1 },
    { "CNY", "Курс юань - российский рубль", 12.61, 3, 0.001, 1000 },
    { "TATN", "Татнефть", 6540, 0, 1, 100 },
    { "CHMF", "Северсталь", 15320, 0, 1, 10 },
    { "NLMK", "НЛМК", 2118, 0, 1, 100 },
    { "MOEX", "Московская биржа", 2134, 0, 1, 100 },
    { "YNDF", "Яндекс", 25730, 0, 1, 10 },
    { "POLY", "Полиметалл", 5210, 0, 1, 100 },
    { "SNGR", "Сургутнефтегаз", 3120, 0, 1, 1000 },
};
const int UnderlyingCount = int(sizeof(Underlyings) / sizeof(Underlyings[0]));
const char MonthLetters[] = "FGHJKMNQUVXZ";
const int FirstFutureId = 400000;
const int FirstOptionId = 1000000;
const int FirstMirrorId = 900000;

} // namespace

SampleMarketOptions SampleMarketOptions::tiny(quint32 seed)
{
    SampleMarketOptions o;
    o.seed = seed;
    o.now = QDateTime(QDate(2026, 12, 7), QTime(15, 0));
    return o;
}

SampleMarketOptions SampleMarketOptions::sized(int instruments, int orders, quint32 seed)
{
    SampleMarketOptions o;
    o.seed = seed;
    o.underlyings = UnderlyingCount;
    o.expiries = 4;
    // Each future brings 2 * (2 * s + 1) options: about 4 s of them.
    const int futures = o.underlyings * o.expiries;
    o.strikesPerSide = qMax(0, instruments / futures / 4);
    o.firms = 20;
    o.clientsPerFirm = 50;
    o.orders = orders;
    return o;
}

SampleMarket::SampleMarket(const SampleMarketOptions& options)
{
    SampleMarketOptions& o = m_data.options;
    o = options;
    o.underlyings = qBound(1, o.underlyings, UnderlyingCount);
    o.expiries = qBound(1, o.expiries, 12);
    o.sessions = qMax(2, o.sessions);
    // Whole seconds: the history's moments are whole milliseconds from the day's start.
    const QDateTime now = o.now.isValid() ? o.now : QDateTime::currentDateTime();
    m_data.now = QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()));
    m_data.tradeDate = m_data.now.date();
    m_data.currentSession = SampleMarketData::FirstSession + o.sessions - 1;
    makeInstruments();
    makeAccounts();
    m_data.trading = TradingTables(m_data).tradedByInstrument();
}

void SampleMarket::makeInstruments()
{
    const SampleMarketOptions& options = m_data.options;
    QRandomGenerator rng(tableSeed(options.seed, QStringLiteral("instruments")));
    qint64 futureId = FirstFutureId;
    qint64 optionId = FirstOptionId;
    qint64 mirrorId = FirstMirrorId;
    for (int u = 0; u < options.underlyings; ++u) {
        const Underlying& base = Underlyings[u];
        // Options on indexes and currencies are European, on the others American.
        m_data.underlyings << SampleUnderlying { QString::fromLatin1(base.code), QString::fromUtf8(base.name),
            base.price, base.decimals, base.step, base.lotsize, u % 3 == 2 ? 2 : 1 };
        const decimal step = decimal::fromDouble(base.step, base.decimals);
        for (int e = 0; e < options.expiries; ++e) {
            // Quarterly expiries from March on, on the 15th.
            const int month = 3 * (e % 4 + 1);
            const int year = m_data.tradeDate.year() + 1 + e / 4;
            SampleInstrument f;
            f.key = SecurityKey { StockId, FuturesBoard, futureId++ };
            f.base = QString::fromLatin1(base.code);
            f.code = QStringLiteral("%1%2%3").arg(f.base).arg(QLatin1Char(MonthLetters[month - 1])).arg(year % 10);
            f.name = QStringLiteral("%1-%2.%3").arg(f.base).arg(month).arg(year % 100);
            f.sectype = 'F';
            f.decimals = base.decimals;
            f.step = step;
            f.settle = onStep(base.price * (1.0 + 0.01 * e + (rng.generateDouble() - 0.5) * 0.02), step, base.decimals);
            f.minPrice = onStep(f.settle.toDouble() * 0.9, step, base.decimals);
            f.maxPrice = onStep(f.settle.toDouble() * 1.1, step, base.decimals);
            f.lotsize = base.lotsize;
            f.expiry = QDate(year, month, 15);
            m_data.instruments << f;

            // The first future of each underlying also trades off-book on the mirror board.
            if (e == 0) {
                SampleInstrument m = f;
                m.key = SecurityKey { StockId, MirrorBoard, mirrorId++ };
                m.code = f.code + QStringLiteral("_A");
                m.future = f.key;
                m_data.instruments << m;
            }

            // Calls and puts on a strike ladder around the future's price.
            const double strikeStep = std::max(
                step.toDouble(), std::round(f.settle.toDouble() * 0.025 / step.toDouble()) * step.toDouble());
            for (int s = -options.strikesPerSide; s <= options.strikesPerSide; ++s) {
                const decimal strike = onStep(f.settle.toDouble() + s * strikeStep, step, base.decimals);
                for (char type : { 'C', 'P' }) {
                    SampleInstrument o;
                    o.key = SecurityKey { StockId, OptionsBoard, optionId++ };
                    o.base = f.base;
                    o.code = QStringLiteral("%1%2B%3%4")
                                 .arg(f.base, strike.toString())
                                 .arg(QLatin1Char(type))
                                 .arg(year % 10);
                    o.name
                        = QStringLiteral("%1 %2 %3")
                              .arg(f.name, type == 'C' ? QStringLiteral("C") : QStringLiteral("P"), strike.toString());
                    o.sectype = 'O';
                    o.decimals = base.decimals;
                    o.step = step;
                    const double intrinsic
                        = std::max(0.0, (type == 'C' ? 1 : -1) * (f.settle.toDouble() - strike.toDouble()));
                    o.settle = onStep(intrinsic + f.settle.toDouble() * 0.02, step, base.decimals);
                    o.minPrice = step;
                    o.maxPrice = onStep(o.settle.toDouble() * 3 + f.settle.toDouble() * 0.05, step, base.decimals);
                    o.lotsize = 1;
                    o.expiry = f.expiry;
                    o.future = f.key;
                    m_data.instruments << o;
                }
            }
        }
    }
}

void SampleMarket::makeAccounts()
{
    const SampleMarketOptions& options = m_data.options;
    for (int f = 0; f < options.firms; ++f) {
        const QString firm = QStringLiteral("F%1").arg(f + 1, 3, 10, QLatin1Char('0'));
        m_data.firmCodes << firm;
        for (int c = 0; c < options.clientsPerFirm; ++c)
            m_data.clientCodes << firm + QStringLiteral("%1").arg(c + 1, 3, 10, QLatin1Char('0'));
    }
}

void SampleMarket::populate(TableRegistry* registry) const
{
    for (const TableSchema& schema : HostSchema::all()) {
        Table* table = schema.create();
        fill(table);
        registry->registerTable(table);
    }
}

void SampleMarket::fill(Table* table) const
{
    const QString name = table->name();
    if (name == QLatin1String("orders") || name == QLatin1String("deals") || name == QLatin1String("positions")
        || name == QLatin1String("fee") || name == QLatin1String("broker_fee"))
        TradingTables(m_data).fill(table);
    else
        ReferenceTables(m_data).fill(table, 0);
}

void SampleMarket::reload(Table* table, int edition) const
{
    table->clear();
    ReferenceTables(m_data).fill(table, edition);
}
