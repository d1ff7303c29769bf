#include "trees/private/groupmentfielditems.h"

#include "columns/itemroles.h"
#include "core/db/decimal.h"
#include "trees/treeindexmodel.h"

#include <QLocale>

namespace {

// When both items hold a record: their fields compared, reversed for the descending group order.
bool compareFields(const TreeIndexModel* model, const Record& a, const Record& b, int column, int& result)
{
    if (a.isNull() || b.isNull() || column < 0)
        return false;
    result = a.data(column).compare(b.data(column));
    if (model->groupSortOrder() == Qt::DescendingOrder)
        result = -result;
    return true;
}

} // namespace

GroupmentStrikeItem::GroupmentStrikeItem(const QString& key, GroupmentTreeItem* parent, const QList<int>& columns)
    : RecordItem(key, parent)
    , m_strike(columns.value(0, -1))
    , m_decimals(columns.value(1, -1))
{ }

QVariant GroupmentStrikeItem::data(int column, int role) const
{
    if (column != 0 || role == GroupKeyRole || m_record.isNull() || (role != Qt::DisplayRole && role < Qt::UserRole))
        return RecordItem::data(column, role);
    const decimal strike = strikeOf(m_record, m_strike, m_decimals);
    return role == Qt::DisplayRole ? QVariant(strike.toSystemString()) : strike.toVariant();
}

decimal GroupmentStrikeItem::strikeOf(const Record& record, int strikeColumn, int decimalsColumn)
{
    if (record.isNull() || strikeColumn < 0)
        return decimal::minimum();
    const decimal strike = record.data(strikeColumn).toDecimal();
    const int decimals = decimalsColumn < 0 ? -1 : record.data(decimalsColumn).toInteger();
    if (decimals < 0 || decimals > decimal::MaxScale)
        return strike;
    try {
        return strike.withScale(decimals);
    } catch (...) {
        return strike; // too many decimals for the value: shown as stored
    }
}

int GroupmentStrikeItem::compare(const TreeIndexModel* model, const GroupmentTreeItem* other) const
{
    int result = 0;
    return compareFields(model, m_record, other->record(), m_strike, result) ? result
                                                                             : RecordItem::compare(model, other);
}

GroupmentExpDateItem::GroupmentExpDateItem(
    const QString& key, const QString& name, GroupmentTreeItem* parent, const QList<int>& columns)
    : RecordItem(key, name, parent)
    , m_expdate(columns.value(0, -1))
{ }

QVariant GroupmentExpDateItem::data(int column, int role) const
{
    if (column != 0 || m_record.isNull() || m_expdate < 0 || (role != Qt::DisplayRole && role != Qt::UserRole))
        return RecordItem::data(column, role);
    const QDate date = m_record.data(m_expdate).toQDate();
    return role == Qt::DisplayRole ? QVariant(QLocale().toString(date, QLocale::ShortFormat)) : QVariant(date);
}

int GroupmentExpDateItem::compare(const TreeIndexModel* model, const GroupmentTreeItem* other) const
{
    int result = 0;
    return compareFields(model, m_record, other->record(), m_expdate, result) ? result
                                                                              : RecordItem::compare(model, other);
}
