#pragma once

#include "core/db/decimal.h"
#include "trees/recorditem.h"

// Items of a level grouped by one field of the record they hold (an option's strike, a contract's expiry): they
// show and sort by that field, whatever the model's sort column; descending group order reverses them.

class BASIC_VIEWS_EXPORT GroupmentStrikeItem : public RecordItem
{
public:
    // columns: the table's "strike" and "decimals" columns.
    GroupmentStrikeItem(const QString& key, GroupmentTreeItem* parent, const QList<int>& columns);

    // Column 0: the strike with the record's decimals, as text for display, as a decimal for the other roles.
    QVariant data(int column, int role) const override;
    int compare(const TreeIndexModel* model, const GroupmentTreeItem* other) const override;

    // The strike at the record's own scale (the stored one when the record's decimals are out of range).
    static decimal strikeOf(const Record& record, int strikeColumn, int decimalsColumn);

private:
    int m_strike;
    int m_decimals;
};

class BASIC_VIEWS_EXPORT GroupmentExpDateItem : public RecordItem
{
public:
    // columns: the table's "expdate" column.
    GroupmentExpDateItem(const QString& key, const QString& name, GroupmentTreeItem* parent, const QList<int>& columns);

    // Column 0: the expiry date as text for display, as a date for Qt::UserRole.
    QVariant data(int column, int role) const override;
    int compare(const TreeIndexModel* model, const GroupmentTreeItem* other) const override;

private:
    int m_expdate;
};
