#include "trees/groupmentsecurities.h"

#include "core/db/guilog.h"
#include "core/db/table.h"
#include "core/host/directories/boarddirectory.h"
#include "core/host/directories/enumdirectories.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/directories/stockdirectory.h"
#include "trees/groupmentfielditems.h"

#include <QLocale>

#include <charconv>

namespace {

int columnOf(Table* table, const char* name)
{
    return table ? table->columnIndex(QString::fromLatin1(name)) : -1;
}

// The directory's name, or the key when the directory does not know the id.
QString nameOr(const QString& name, const QString& key)
{
    return name.isEmpty() ? key : name;
}

} // namespace

GroupmentStock::GroupmentStock(Table* table)
    : Groupment(QStringLiteral("GroupmentStock"))
    , m_stock(columnOf(table, "stock_id"))
{ }

QString GroupmentStock::groupKey(const Record& record) const
{
    return m_stock < 0 ? QString() : QString::number(record.data(m_stock).toInteger());
}

GroupmentTreeItem* GroupmentStock::createGroup(
    GroupmentTreeItem* parent, const QString& key, const Record& record) const
{
    const int stock = m_stock < 0 ? 0 : record.data(m_stock).toInteger();
    return new GroupmentTreeItem(key, nameOr(StockDirectory::i()->nameById(stock), key), parent);
}

GroupmentBoard::GroupmentBoard(Table* table)
    : Groupment(QStringLiteral("GroupmentBoard"))
    , m_stock(columnOf(table, "stock_id"))
    , m_board(columnOf(table, "board_id"))
{ }

QString GroupmentBoard::groupKey(const Record& record) const
{
    if (m_stock < 0 || m_board < 0)
        return QString();
    // Formatted by hand: a tree over a million orders asks for this key for each of them.
    char text[32];
    const auto stock = std::to_chars(text, text + 12, record.data(m_stock).toInteger());
    text[stock.ptr - text] = ',';
    const char* end = std::to_chars(stock.ptr + 1, text + sizeof(text), record.data(m_board).toInteger()).ptr;
    return QString::fromLatin1(text, int(end - text));
}

GroupmentTreeItem* GroupmentBoard::createGroup(
    GroupmentTreeItem* parent, const QString& key, const Record& record) const
{
    const int stock = m_stock < 0 ? 0 : record.data(m_stock).toInteger();
    const int board = m_board < 0 ? 0 : record.data(m_board).toInteger();
    return new GroupmentTreeItem(key, nameOr(BoardDirectory::i()->nameById(stock, board), key), parent);
}

GroupmentSecTypes::GroupmentSecTypes(Table* table)
    : Groupment(QStringLiteral("SecTypes"))
    , m_types(SecTypeDirectory::i())
    , m_sectype(columnOf(table, "sectype"))
{ }

QString GroupmentSecTypes::groupKey(const Record& record) const
{
    if (m_sectype < 0)
        return QString();
    const Field type = record.data(m_sectype);
    return nameOr(m_types->nameByKey(type), type.toString());
}

GroupmentUnderlying::GroupmentUnderlying(Table* table)
    : Groupment(QStringLiteral("GroupmentUnderlying"))
    , m_securities(SecurityDirectory::i())
    , m_base(columnOf(table, "base_code"))
    , m_stock(columnOf(table, "stock_id"))
    , m_board(columnOf(table, "board_id"))
    , m_sec(columnOf(table, "sec_id"))
{ }

QString GroupmentUnderlying::groupKey(const Record& record) const
{
    if (m_base >= 0)
        return record.data(m_base).toString();
    if (m_stock < 0 || m_board < 0 || m_sec < 0)
        return QString();
    return m_securities->baseById(
        record.data(m_stock).toInteger(), record.data(m_board).toInteger(), record.data(m_sec).toInteger64());
}

GroupmentExpDate::GroupmentExpDate(Table* table)
    : Groupment(QStringLiteral("GroupmentExpdate"))
    , m_expdate(columnOf(table, "expdate"))
{ }

QString GroupmentExpDate::groupKey(const Record& record) const
{
    return m_expdate < 0 ? QString() : record.data(m_expdate).toString();
}

GroupmentTreeItem* GroupmentExpDate::createGroup(
    GroupmentTreeItem* parent, const QString& key, const Record& record) const
{
    const QDate date = m_expdate < 0 || record.isNull() ? QDate() : record.data(m_expdate).toQDate();
    auto* item = new GroupmentExpDateItem(key, QLocale().toString(date, QLocale::ShortFormat), parent, { m_expdate });
    // It sorts by the date it holds: made holding it, it never meets its siblings by name.
    if (!record.isNull())
        item->addRecord(record);
    return item;
}

GroupmentStrike::GroupmentStrike(Table* table)
    : Groupment(QStringLiteral("GroupmentStrike"))
    , m_strike(columnOf(table, "strike"))
    , m_decimals(columnOf(table, "decimals"))
{
    Q_ASSERT_X(m_strike >= 0 && m_decimals >= 0, "GroupmentStrike", "the table needs \"strike\" and \"decimals\"");
    if (m_strike < 0 || m_decimals < 0)
        qCWarning(QGuiLog) << "GroupmentStrike: the table" << (table ? table->name() : QString())
                           << "has no \"strike\" or no \"decimals\" column";
}

QString GroupmentStrike::groupKey(const Record& record) const
{
    if (record.isNull() || m_strike < 0 || m_decimals < 0)
        return QString();
    return GroupmentStrikeItem::strikeOf(record, m_strike, m_decimals).toString();
}

GroupmentTreeItem* GroupmentStrike::createGroup(
    GroupmentTreeItem* parent, const QString& key, const Record& record) const
{
    auto* item = new GroupmentStrikeItem(key, parent, { m_strike, m_decimals });
    // It sorts by the strike it holds: made holding it, it never meets its siblings by name.
    if (!record.isNull())
        item->addRecord(record);
    return item;
}
