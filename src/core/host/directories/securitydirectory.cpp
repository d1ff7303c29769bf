#include "core/host/directories/securitydirectory.h"

#include "core/db/masterindex.h"
#include "core/host/directories/volatdirectory.h"

#include <QMimeData>
#include <QTimer>

#include <cmath>

SecurityDirectory::SecurityDirectory()
    : TableDirectory(QStringLiteral("securities"),
        { QStringLiteral("sec_code"), QStringLiteral("sec_name"), QStringLiteral("sec_longname"),
            QStringLiteral("base_code"), QStringLiteral("isin_id"), QStringLiteral("option_series_id"),
            QStringLiteral("sectype"), QStringLiteral("main_board_id"), QStringLiteral("main_sec_id"),
            QStringLiteral("expdate"), QStringLiteral("strike"), QStringLiteral("decimals"),
            QStringLiteral("price_step"), QStringLiteral("min_price"), QStringLiteral("max_price"),
            QStringLiteral("lotsize") }) // the settlement price moves with trades: read from the record when asked
{ }

void SecurityDirectory::reload(const Table* table)
{
    m_byKey.clear();
    m_byCode.clear();
    m_byBase.clear();
    m_futureNames.clear();
    if (!table)
        return;
    const int stockC = table->columnIndex(QStringLiteral("stock_id"));
    const int boardC = table->columnIndex(QStringLiteral("board_id"));
    const int secC = table->columnIndex(QStringLiteral("sec_id"));
    const int nameC = table->columnIndex(QStringLiteral("sec_name"));
    const int codeC = table->columnIndex(QStringLiteral("sec_code"));
    const int baseC = table->columnIndex(QStringLiteral("base_code"));
    const int decimalsC = table->columnIndex(QStringLiteral("decimals"));
    const int lotSizeC = table->columnIndex(QStringLiteral("lotsize"));
    const int mainBoardC = table->columnIndex(QStringLiteral("main_board_id"));
    const int mainSecC = table->columnIndex(QStringLiteral("main_sec_id"));
    const int isinC = table->columnIndex(QStringLiteral("isin_id"));
    const int typeC = table->columnIndex(QStringLiteral("sectype"));
    m_byKey.reserve(table->count());
    for (const Record& r : *table->masterIndex()) {
        const SecurityKey key { r.data(stockC).toInteger(), r.data(boardC).toInteger(), r.data(secC).toInteger64() };
        Info i;
        i.record = r;
        i.name = r.data(nameC).toString();
        i.code = r.data(codeC).toString();
        i.base = r.data(baseC).toString();
        i.textId = key.textId();
        i.decimals = r.data(decimalsC).hasValue() ? r.data(decimalsC).toInteger() : -1;
        i.hasLotSize = r.data(lotSizeC).hasValue();
        i.lotSize = r.data(lotSizeC).toInteger64();
        i.real = key;
        if (key.stock == 1 && key.board == 3)
            i.real = SecurityKey { key.stock, r.data(mainBoardC).toInteger(), r.data(mainSecC).toInteger64() };
        m_byCode[i.code] << key;
        m_byBase[i.base] << key;
        // The first futures contract of an ISIN names it: the records come in key order.
        if (isinC >= 0 && typeC >= 0 && r.data(typeC).toChar() == QLatin1Char('F')
            && !m_futureNames.contains(r.data(isinC).toInteger64()))
            m_futureNames.insert(r.data(isinC).toInteger64(), i.name);
        m_byKey.insert(key, i);
    }
}

const SecurityDirectory::Info* SecurityDirectory::info(int stock, int board, qint64 sec) const
{
    const auto it = m_byKey.constFind(SecurityKey { stock, board, sec });
    return it == m_byKey.constEnd() ? nullptr : &it.value();
}

QString SecurityDirectory::nameById(int stock, int board, qint64 sec) const
{
    return answer(stock, board, sec, &Info::name, QString());
}

QString SecurityDirectory::codeById(int stock, int board, qint64 sec) const
{
    return answer(stock, board, sec, &Info::code, QString());
}

QString SecurityDirectory::baseById(int stock, int board, qint64 sec) const
{
    return answer(stock, board, sec, &Info::base, QString());
}

QString SecurityDirectory::textIdById(int stock, int board, qint64 sec) const
{
    return answer(stock, board, sec, &Info::textId, QString());
}

int SecurityDirectory::decimalsById(int stock, int board, qint64 sec) const
{
    return answer(stock, board, sec, &Info::decimals, -1);
}

bool SecurityDirectory::lotSizeById(int stock, int board, qint64 sec, qint64& lots) const
{
    const Info* i = info(stock, board, sec);
    if (!i || !i->hasLotSize)
        return false;
    lots = i->lotSize;
    return true;
}

QString SecurityDirectory::nameByKey(const SecurityKey& key) const
{
    return nameById(key.stock, key.board, key.sec);
}

int SecurityDirectory::decimalsByTextId(const QString& textId) const
{
    const SecurityKey key = SecurityKey::fromTextId(textId);
    return decimalsById(key.stock, key.board, key.sec);
}

bool SecurityDirectory::minMaxStepByTextId(const QString& textId, decimal& min, decimal& max, decimal& step) const
{
    const SecurityKey key = SecurityKey::fromTextId(textId);
    const Info* i = info(key.stock, key.board, key.sec);
    if (!i)
        return false;
    min = i->record.data(QStringLiteral("min_price")).toDecimal();
    max = i->record.data(QStringLiteral("max_price")).toDecimal();
    step = i->record.data(QStringLiteral("price_step")).toDecimal();
    return true;
}

Record SecurityDirectory::realRecordByTextId(const QString& textId) const
{
    const SecurityKey key = SecurityKey::fromTextId(textId);
    return realRecordById(key.stock, key.board, key.sec);
}

bool SecurityDirectory::idByTextId(const QString& textId, int& stock, int& board, qint64& sec) const
{
    const SecurityKey key = SecurityKey::fromTextId(textId);
    if (!info(key.stock, key.board, key.sec))
        return false;
    stock = key.stock;
    board = key.board;
    sec = key.sec;
    return true;
}

Record SecurityDirectory::recordById(int stock, int board, qint64 sec) const
{
    const Info* i = info(stock, board, sec);
    return i ? i->record : Record();
}

Record SecurityDirectory::realRecordById(int stock, int board, qint64 sec) const
{
    const Info* i = info(stock, board, sec);
    return i ? recordById(i->real.stock, i->real.board, i->real.sec) : Record();
}

Record SecurityDirectory::recordBySecCode(const QString& code, int stock, int board) const
{
    for (const SecurityKey& key : m_byCode.value(code)) {
        if ((stock <= 0 || key.stock == stock) && (board <= 0 || key.board == board))
            return recordById(key.stock, key.board, key.sec);
    }
    return Record();
}

int SecurityDirectory::getIsinIdBySecCode(const QString& code) const
{
    const Record r = recordBySecCode(code, 0, 0);
    return r.isNull() ? -1 : r.data(QStringLiteral("isin_id")).toInteger();
}

QString SecurityDirectory::futureNameByIsinId(qint64 isin) const
{
    return m_futureNames.value(isin);
}

QList<SecurityKey> SecurityDirectory::keys(int stock, int board) const
{
    QList<SecurityKey> keys;
    keys.reserve(m_byKey.size());
    for (auto it = m_byKey.constBegin(); it != m_byKey.constEnd(); ++it) {
        if ((stock <= 0 || it.key().stock == stock) && (board <= 0 || it.key().board == board))
            keys << it.key();
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

QList<SecurityKey> SecurityDirectory::keysByBaseCode(const QString& base, int stock, int board) const
{
    QList<SecurityKey> keys;
    for (const SecurityKey& key : m_byBase.value(base)) {
        if ((stock <= 0 || key.stock == stock) && (board <= 0 || key.board == board))
            keys << key;
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

QList<SecurityKey> SecurityDirectory::keysByMimeData(const QMimeData* mime, bool firstOnly) const
{
    QList<SecurityKey> keys;
    if (!mime)
        return keys;
    QString text;
    if (mime->hasFormat(QLatin1String(SecuritiesMimeType)))
        text = QString::fromUtf8(mime->data(QLatin1String(SecuritiesMimeType)));
    else if (mime->hasFormat(QLatin1String(SecurityMimeType)))
        text = QString::fromUtf8(mime->data(QLatin1String(SecurityMimeType)));
    for (const QString& id : text.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        const SecurityKey key = SecurityKey::fromTextId(id);
        if (!info(key.stock, key.board, key.sec))
            continue; // an instrument this terminal does not know
        keys << key;
        if (firstOnly)
            break;
    }
    return keys;
}

QMimeData* SecurityDirectory::mimeDataForKeys(const QList<SecurityKey>& keys)
{
    auto* mime = new QMimeData;
    QStringList ids;
    for (const SecurityKey& key : keys)
        ids << key.textId();
    mime->setData(
        QLatin1String(keys.size() == 1 ? SecurityMimeType : SecuritiesMimeType), ids.join(QLatin1Char('|')).toUtf8());
    return mime;
}

bool SecurityDirectory::profitRateById(double price, int stock, int board, qint64 sec, decimal& rate) const
{
    double a;
    double b;
    if (!pctYieldCoeffsById(stock, board, sec, a, b))
        return false;
    rate = decimal::fromDouble(a * price + b, 2);
    return true;
}

decimal SecurityDirectory::volatilityById(int stock, int board, qint64 sec) const
{
    return VolatDirectory::i()->volatById(stock, board, sec);
}

decimal SecurityDirectory::horizonVolatilityBySecId(qint64 sec, int days) const
{
    decimal annual = volatilityById(1, 14, sec);
    if (annual.isEmpty())
        annual = volatilityById(1, 15, sec);
    if (annual.isEmpty() || days < 0)
        return decimal::minimum();
    return decimal::fromDouble(annual.toDouble() * std::sqrt(days / 365.0), annual.scale());
}

bool SecurityDirectory::pctYieldCoeffsById(int stock, int board, qint64 sec, double& a, double& b) const
{
    const Info* i = info(stock, board, sec);
    if (!i)
        return false;
    const double settle = i->record.data(QStringLiteral("settle_price")).toDouble();
    if (settle <= 0)
        return false;
    a = 100.0 / settle;
    b = -100.0;
    return true;
}

QTimer* SecurityDirectory::getCalcVolatTimer()
{
    if (!m_volatTimer) {
        m_volatTimer = new QTimer(this);
        m_volatTimer->setInterval(1000);
        m_volatTimer->start();
    }
    return m_volatTimer;
}
