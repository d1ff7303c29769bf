#pragma once

#include "trees/groupment.h"

class SecTypeDirectory;
class SecurityDirectory;
class Table;

// The levels a trader groups instruments (and orders, deals, positions) by: market, board, instrument type,
// underlying, expiry and strike. Group names come from the host's directories.

// Markets ("stock_id"), named by the market directory.
class BASIC_VIEWS_EXPORT GroupmentStock : public Groupment
{
public:
    explicit GroupmentStock(Table* table);

    QString groupKey(const Record& record) const override;
    GroupmentTreeItem* createGroup(GroupmentTreeItem* parent, const QString& key, const Record& record) const override;

private:
    int m_stock;
};

// Boards ("stock_id", "board_id"; key "stock,board"), named by the board directory.
class BASIC_VIEWS_EXPORT GroupmentBoard : public Groupment
{
public:
    explicit GroupmentBoard(Table* table);

    QString groupKey(const Record& record) const override;
    GroupmentTreeItem* createGroup(GroupmentTreeItem* parent, const QString& key, const Record& record) const override;

private:
    int m_stock;
    int m_board;
};

// Instrument types ("sectype"), keyed and named by the type directory's name.
class BASIC_VIEWS_EXPORT GroupmentSecTypes : public Groupment
{
public:
    explicit GroupmentSecTypes(Table* table);

    QString groupKey(const Record& record) const override;

private:
    const SecTypeDirectory* m_types; // not owned; made here, on the GUI thread, before any key is asked for
    int m_sectype;
};

// Underlyings: the table's "base_code", or, for tables of orders, deals and positions, the underlying of the
// instrument a row names ("stock_id", "board_id", "sec_id") in the instrument directory.
class BASIC_VIEWS_EXPORT GroupmentUnderlying : public Groupment
{
public:
    explicit GroupmentUnderlying(Table* table);

    QString groupKey(const Record& record) const override;

private:
    const SecurityDirectory* m_securities; // not owned; made here, on the GUI thread, before any key is asked for
    int m_base;
    int m_stock;
    int m_board;
    int m_sec;
};

// Expiry dates ("expdate"): each group is a GroupmentExpDateItem named by the date, sorted by the date.
class BASIC_VIEWS_EXPORT GroupmentExpDate : public Groupment
{
public:
    explicit GroupmentExpDate(Table* table);

    QString groupKey(const Record& record) const override;
    GroupmentTreeItem* createGroup(GroupmentTreeItem* parent, const QString& key, const Record& record) const override;

private:
    int m_expdate;
};

// Strikes ("strike" with the record's "decimals" as its scale): each group is a GroupmentStrikeItem, sorted by
// the strike. A table without either column is a programming error: logged, and every key is empty.
class BASIC_VIEWS_EXPORT GroupmentStrike : public Groupment
{
public:
    explicit GroupmentStrike(Table* table);

    // The strike text ("10.50" for 10.5 with 2 decimals); empty for a null record.
    QString groupKey(const Record& record) const override;
    GroupmentTreeItem* createGroup(GroupmentTreeItem* parent, const QString& key, const Record& record) const override;

private:
    int m_strike;
    int m_decimals;
};
