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
    m_entries.clear();
    m_infos.clear();
    m_places.clear();
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
    m_entries.reserve(table->count());
    m_infos.reserve(table->count());
    int places = 16;
    while (places < 2 * table->count())
        places *= 2;
    m_places.fill(-1, places);
    for (const Record& r : *table->masterIndex()) {
        const SecurityKey key { r.data(stockC).toInteger(), r.data(boardC).toInteger(), r.data(secC).toInteger64() };
        Entry e;
        e.key = key;
        e.name = r.data(nameC).toString();
        e.decimals = r.data(decimalsC).hasValue() ? r.data(decimalsC).toInteger() : -1;
        e.hasLotSize = r.data(lotSizeC).hasValue();
        e.lotSize = r.data(lotSizeC).toInteger64();
        Info i;
        i.record = r;
        i.code = r.data(codeC).toString();
        i.base = r.data(baseC).toString();
        i.textId = key.textId();
        i.real = key;
        if (key.stock == 1 && key.board == 3)
            i.real = SecurityKey { key.stock, r.data(mainBoardC).toInteger(), r.data(mainSecC).toInteger64() };
        m_byCode[i.code] << key;
        m_byBase[i.base] << key;
        // The first futures contract of an ISIN names it: the records come in key order.
        if (isinC >= 0 && typeC >= 0 && r.data(typeC).toChar() == QLatin1Char('F')
            && !m_futureNames.contains(r.data(isinC).toInteger64()))
            m_futureNames.insert(r.data(isinC).toInteger64(), e.name);
        int& index = m_places[place(key.stock, key.board, key.sec)];
        if (index < 0) {
            index = m_entries.size();
            m_entries.append(e);
            m_infos.append(i);
        } else { // a key met again replaces the earlier record
            m_entries[index] = e;
            m_infos[index] = i;
        }
    }
}

int SecurityDirectory::place(int stock, int board, qint64 sec) const
{
    // Ids are small numbers close to each other: multiplying by odd constants spreads them over the places.
    const quint64 mixed = quint64(sec) * 0x9E3779B97F4A7C15ULL
        ^ ((quint64(quint32(stock)) << 32) | quint32(board)) * 0xC2B2AE3D27D4EB4FULL;
    const int mask = m_places.size() - 1;
    int at = int((mixed ^ (mixed >> 29)) & quint64(mask));
    // At most half the places are taken, so a free one ends every probe.
    for (int index; (index = m_places.at(at)) >= 0; at = (at + 1) & mask) {
        const SecurityKey& key = m_entries.at(index).key;
        if (key.sec == sec && key.board == board && key.stock == stock)
            break;
    }
    return at;
}

int SecurityDirectory::indexOf(int stock, int board, qint64 sec) const
{
    return m_places.isEmpty() ? -1 : m_places.at(place(stock, board, sec));
}

const SecurityDirectory::Info* SecurityDirectory::info(int stock, int board, qint64 sec) const
{
    const int index = indexOf(stock, board, sec);
    return index < 0 ? nullptr : &m_infos.at(index);
}

QString SecurityDirectory::nameById(int stock, int board, qint64 sec) const
{
    const int index = indexOf(stock, board, sec);
    return index < 0 ? QString() : m_entries.at(index).name;
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
    const int index = indexOf(stock, board, sec);
    return index < 0 ? -1 : m_entries.at(index).decimals;
}

bool SecurityDirectory::lotSizeById(int stock, int board, qint64 sec, qint64& lots) const
{
    const int index = indexOf(stock, board, sec);
    if (index < 0 || !m_entries.at(index).hasLotSize)
        return false;
    lots = m_entries.at(index).lotSize;
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
    keys.reserve(m_entries.size());
    for (const Entry& e : m_entries) {
        if ((stock <= 0 || e.key.stock == stock) && (board <= 0 || e.key.board == board))
            keys << e.key;
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
