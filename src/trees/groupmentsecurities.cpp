#include "trees/groupmentsecurities.h"

#include "core/db/guilog.h"
#include "core/db/table.h"
#include "core/host/directories/boarddirectory.h"
#include "core/host/directories/enumdirectories.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/directories/stockdirectory.h"
#include "trees/private/groupmentfielditems.h"
#include "trees/private/groupmentsecurities_p.h"

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
    : Groupment(*new GroupmentStockPrivate, QStringLiteral("GroupmentStock"))
{
    Q_D(GroupmentStock);
    d->stock = columnOf(table, "stock_id");
}

QString GroupmentStock::groupKey(const Record& record) const
{
    Q_D(const GroupmentStock);
    return d->stock < 0 ? QString() : QString::number(record.data(d->stock).toInteger());
}

GroupmentTreeItem* GroupmentStock::createGroup(
    GroupmentTreeItem* parent, const QString& key, const Record& record) const
{
    Q_D(const GroupmentStock);
    const int stock = d->stock < 0 ? 0 : record.data(d->stock).toInteger();
    return new GroupmentTreeItem(key, nameOr(StockDirectory::i()->nameById(stock), key), parent);
}

GroupmentBoard::GroupmentBoard(Table* table)
    : Groupment(*new GroupmentBoardPrivate, QStringLiteral("GroupmentBoard"))
{
    Q_D(GroupmentBoard);
    d->stock = columnOf(table, "stock_id");
    d->board = columnOf(table, "board_id");
}

QString GroupmentBoard::groupKey(const Record& record) const
{
    Q_D(const GroupmentBoard);
    if (d->stock < 0 || d->board < 0)
        return QString();
    // Formatted by hand: a tree over a million orders asks for this key for each of them.
    char text[32];
    const auto stock = std::to_chars(text, text + 12, record.data(d->stock).toInteger());
    text[stock.ptr - text] = ',';
    const char* end = std::to_chars(stock.ptr + 1, text + sizeof(text), record.data(d->board).toInteger()).ptr;
    return QString::fromLatin1(text, int(end - text));
}

GroupmentTreeItem* GroupmentBoard::createGroup(
    GroupmentTreeItem* parent, const QString& key, const Record& record) const
{
    Q_D(const GroupmentBoard);
    const int stock = d->stock < 0 ? 0 : record.data(d->stock).toInteger();
    const int board = d->board < 0 ? 0 : record.data(d->board).toInteger();
    return new GroupmentTreeItem(key, nameOr(BoardDirectory::i()->nameById(stock, board), key), parent);
}

GroupmentSecTypes::GroupmentSecTypes(Table* table)
    : Groupment(*new GroupmentSecTypesPrivate, QStringLiteral("SecTypes"))
{
    Q_D(GroupmentSecTypes);
    d->types = SecTypeDirectory::i();
    d->sectype = columnOf(table, "sectype");
}

QString GroupmentSecTypes::groupKey(const Record& record) const
{
    Q_D(const GroupmentSecTypes);
    if (d->sectype < 0)
        return QString();
    const Field type = record.data(d->sectype);
    return nameOr(d->types->nameByKey(type), type.toString());
}

GroupmentUnderlying::GroupmentUnderlying(Table* table)
    : Groupment(*new GroupmentUnderlyingPrivate, QStringLiteral("GroupmentUnderlying"))
{
    Q_D(GroupmentUnderlying);
    d->securities = SecurityDirectory::i();
    d->base = columnOf(table, "base_code");
    d->stock = columnOf(table, "stock_id");
    d->board = columnOf(table, "board_id");
    d->sec = columnOf(table, "sec_id");
}

QString GroupmentUnderlying::groupKey(const Record& record) const
{
    Q_D(const GroupmentUnderlying);
    if (d->base >= 0)
        return record.data(d->base).toString();
    if (d->stock < 0 || d->board < 0 || d->sec < 0)
        return QString();
    return d->securities->baseById(
        record.data(d->stock).toInteger(), record.data(d->board).toInteger(), record.data(d->sec).toInteger64());
}

GroupmentExpDate::GroupmentExpDate(Table* table)
    : Groupment(*new GroupmentExpDatePrivate, QStringLiteral("GroupmentExpdate"))
{
    Q_D(GroupmentExpDate);
    d->expdate = columnOf(table, "expdate");
}

QString GroupmentExpDate::groupKey(const Record& record) const
{
    Q_D(const GroupmentExpDate);
    return d->expdate < 0 ? QString() : record.data(d->expdate).toString();
}

GroupmentTreeItem* GroupmentExpDate::createGroup(
    GroupmentTreeItem* parent, const QString& key, const Record& record) const
{
    Q_D(const GroupmentExpDate);
    const QDate date = d->expdate < 0 || record.isNull() ? QDate() : record.data(d->expdate).toQDate();
    auto* item = new GroupmentExpDateItem(key, QLocale().toString(date, QLocale::ShortFormat), parent, { d->expdate });
    // It sorts by the date it holds: made holding it, it never meets its siblings by name.
    if (!record.isNull())
        item->addRecord(record);
    return item;
}

GroupmentStrike::GroupmentStrike(Table* table)
    : Groupment(*new GroupmentStrikePrivate, QStringLiteral("GroupmentStrike"))
{
    Q_D(GroupmentStrike);
    d->strike = columnOf(table, "strike");
    d->decimals = columnOf(table, "decimals");
    Q_ASSERT_X(d->strike >= 0 && d->decimals >= 0, "GroupmentStrike", "the table needs \"strike\" and \"decimals\"");
    if (d->strike < 0 || d->decimals < 0)
        qCWarning(QGuiLog) << "GroupmentStrike: the table" << (table ? table->name() : QString())
                           << "has no \"strike\" or no \"decimals\" column";
}

QString GroupmentStrike::groupKey(const Record& record) const
{
    Q_D(const GroupmentStrike);
    if (record.isNull() || d->strike < 0 || d->decimals < 0)
        return QString();
    return GroupmentStrikeItem::strikeOf(record, d->strike, d->decimals).toString();
}

GroupmentTreeItem* GroupmentStrike::createGroup(
    GroupmentTreeItem* parent, const QString& key, const Record& record) const
{
    Q_D(const GroupmentStrike);
    auto* item = new GroupmentStrikeItem(key, parent, { d->strike, d->decimals });
    // It sorts by the strike it holds: made holding it, it never meets its siblings by name.
    if (!record.isNull())
        item->addRecord(record);
    return item;
}
