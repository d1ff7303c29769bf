#pragma once

#include "trees/groupment.h"

class GroupmentBoardPrivate;
class GroupmentExpDatePrivate;
class GroupmentSecTypesPrivate;
class GroupmentStockPrivate;
class GroupmentStrikePrivate;
class GroupmentUnderlyingPrivate;
class Table;

// The levels a trader groups instruments (and orders, deals, positions) by: market, board, instrument type,
// underlying, expiry and strike. Group names come from the host's directories.

// Markets ("stock_id"), named by the market directory.
class BASIC_VIEWS_EXPORT GroupmentStock : public Groupment
{
    Q_DECLARE_PRIVATE(GroupmentStock)
public:
    explicit GroupmentStock(Table* table);

    QString groupKey(const Record& record) const override;
    GroupmentTreeItem* createGroup(GroupmentTreeItem* parent, const QString& key, const Record& record) const override;
};

// Boards ("stock_id", "board_id"; key "stock,board"), named by the board directory.
class BASIC_VIEWS_EXPORT GroupmentBoard : public Groupment
{
    Q_DECLARE_PRIVATE(GroupmentBoard)
public:
    explicit GroupmentBoard(Table* table);

    QString groupKey(const Record& record) const override;
    GroupmentTreeItem* createGroup(GroupmentTreeItem* parent, const QString& key, const Record& record) const override;
};

// Instrument types ("sectype"), keyed and named by the type directory's name.
class BASIC_VIEWS_EXPORT GroupmentSecTypes : public Groupment
{
    Q_DECLARE_PRIVATE(GroupmentSecTypes)
public:
    explicit GroupmentSecTypes(Table* table);

    QString groupKey(const Record& record) const override;
};

// Underlyings: the table's "base_code", or, for tables of orders, deals and positions, the underlying of the
// instrument a row names ("stock_id", "board_id", "sec_id") in the instrument directory.
class BASIC_VIEWS_EXPORT GroupmentUnderlying : public Groupment
{
    Q_DECLARE_PRIVATE(GroupmentUnderlying)
public:
    explicit GroupmentUnderlying(Table* table);

    QString groupKey(const Record& record) const override;
};

// Expiry dates ("expdate"): each group is a GroupmentExpDateItem named by the date, sorted by the date.
class BASIC_VIEWS_EXPORT GroupmentExpDate : public Groupment
{
    Q_DECLARE_PRIVATE(GroupmentExpDate)
public:
    explicit GroupmentExpDate(Table* table);

    QString groupKey(const Record& record) const override;
    GroupmentTreeItem* createGroup(GroupmentTreeItem* parent, const QString& key, const Record& record) const override;
};

// Strikes ("strike" with the record's "decimals" as its scale): each group is a GroupmentStrikeItem, sorted by
// the strike. A table without either column is a programming error: logged, and every key is empty.
class BASIC_VIEWS_EXPORT GroupmentStrike : public Groupment
{
    Q_DECLARE_PRIVATE(GroupmentStrike)
public:
    explicit GroupmentStrike(Table* table);

    // The strike text ("10.50" for 10.5 with 2 decimals); empty for a null record.
    QString groupKey(const Record& record) const override;
    GroupmentTreeItem* createGroup(GroupmentTreeItem* parent, const QString& key, const Record& record) const override;
};
