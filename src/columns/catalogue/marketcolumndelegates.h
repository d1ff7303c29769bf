#pragma once

// The market, board and session columns: names of the market's own directories, ordered by name.

#include "columns/catalogue/cataloguedelegate.h"

class BoardDirectory;
class SessionDirectory;
class StockDirectory;

class BoardLookupDelegatePrivate;
class SessionColumnDelegatePrivate;
class StockColumnDelegatePrivate;

// "Площадка": the market's name; item role Qt::UserRole gives its code.
class BASIC_VIEWS_EXPORT StockColumnDelegate : public TextColumnDelegate
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, StockColumnDelegate)
public:
    explicit StockColumnDelegate(QObject* parent = nullptr);
    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;
    // By the name the market sorts by (its code when it has no name).
    bool compare(const Field& f1, const Record& r1, const Field& f2, const Record& r2, int& result) const override;

protected:
    bool text(const Field& field, const Record& record, QString& text) const override;
};

// A board of the record's market by name; item role Qt::UserRole gives its code.
class BASIC_VIEWS_EXPORT BoardLookupDelegate : public TextColumnDelegate
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, BoardLookupDelegate)
public:
    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;

protected:
    BoardLookupDelegate(const ColumnHeaderInfo& header, Order order, int stockColumn, QObject* parent);
    bool text(const Field& field, const Record& record, QString& text) const override;
    // By the directory's name ranks: no text is made.
    int compareTexts(
        const Field& f1, const Record& r1, const Field& f2, const Record& r2, Qt::CaseSensitivity cs) const override;
};

// "Режим": the instrument's board.
class BASIC_VIEWS_EXPORT BoardColumnDelegate : public BoardLookupDelegate
{
public:
    explicit BoardColumnDelegate(ItemModelWithDelegates* model);
    BoardColumnDelegate(int stockColumn, ItemModelWithDelegates* model);
};

// "Режим" of an option; rows without a board come last.
class BASIC_VIEWS_EXPORT OptBoardColumnDelegate : public BoardLookupDelegate
{
public:
    explicit OptBoardColumnDelegate(ItemModelWithDelegates* model);
    OptBoardColumnDelegate(int stockColumn, ItemModelWithDelegates* model);
};

// "Режим баз. контр.": the underlying contract's board; rows without a board come last.
class BASIC_VIEWS_EXPORT BaseBoardColumnDelegate : public BoardLookupDelegate
{
public:
    explicit BaseBoardColumnDelegate(ItemModelWithDelegates* model);
    BaseBoardColumnDelegate(int stockColumn, ItemModelWithDelegates* model);
};

// "Сессия": the session's name in the record's market; empty without a session.
class BASIC_VIEWS_EXPORT SessionColumnDelegate : public TextColumnDelegate
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, SessionColumnDelegate)
public:
    explicit SessionColumnDelegate(ItemModelWithDelegates* model);

protected:
    bool text(const Field& field, const Record& record, QString& text) const override;
};
