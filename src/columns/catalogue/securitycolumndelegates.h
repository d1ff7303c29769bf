#pragma once

// The instrument columns: each shows one text of the instrument whose id is the field, looked up with the
// market and board of the record. They differ only in the text, the board field and the header, so they
// share one lookup class and these files.

#include "columns/catalogue/cataloguedelegate.h"

class SecurityDirectory;
class SecurityLookupDelegatePrivate;

class BASIC_VIEWS_EXPORT SecurityLookupDelegate : public TextColumnDelegate
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, SecurityLookupDelegate)
public:
    using Lookup = QString (SecurityDirectory::*)(int stock, int board, qint64 sec) const;

protected:
    // With `zeroIsEmpty` an instrument id of 0 shows an empty cell.
    SecurityLookupDelegate(const ColumnHeaderInfo& header, Lookup lookup, int stockColumn, int boardColumn,
        bool zeroIsEmpty, QObject* parent);
    bool text(const Field& field, const Record& record, QString& text) const override;
};

// "Инструмент": the instrument's short name.
class BASIC_VIEWS_EXPORT SecurityColumnDelegate : public SecurityLookupDelegate
{
public:
    explicit SecurityColumnDelegate(ItemModelWithDelegates* model);
    SecurityColumnDelegate(int stockColumn, int boardColumn, ItemModelWithDelegates* model);
};

// "Баз. контракт": the short name of an underlying contract.
class BASIC_VIEWS_EXPORT BaseSecurityColumnDelegate : public SecurityLookupDelegate
{
public:
    explicit BaseSecurityColumnDelegate(ItemModelWithDelegates* model);
    BaseSecurityColumnDelegate(int stockColumn, int boardColumn, ItemModelWithDelegates* model);
};

// "Базовый контракт": an option's underlying future, on the record's "main_board_id".
class BASIC_VIEWS_EXPORT MainSecurityColumnDelegate : public SecurityLookupDelegate
{
public:
    explicit MainSecurityColumnDelegate(ItemModelWithDelegates* model);
};

// As SecurityColumnDelegate; empty for instrument id 0.
class BASIC_VIEWS_EXPORT SecurityOrNullColumnDelegate : public SecurityLookupDelegate
{
public:
    explicit SecurityOrNullColumnDelegate(ItemModelWithDelegates* model);
};

// "Код": the instrument's code.
class BASIC_VIEWS_EXPORT SecCodeColumnDelegate : public SecurityLookupDelegate
{
public:
    explicit SecCodeColumnDelegate(ItemModelWithDelegates* model);
    SecCodeColumnDelegate(int stockColumn, int boardColumn, ItemModelWithDelegates* model);
};

// As SecCodeColumnDelegate; empty for instrument id 0.
class BASIC_VIEWS_EXPORT SecCodeOrNullColumnDelegate : public SecurityLookupDelegate
{
public:
    explicit SecCodeOrNullColumnDelegate(ItemModelWithDelegates* model);
};

// "Баз. актив": the code of the instrument's underlying asset.
class BASIC_VIEWS_EXPORT BaseCodeColumnDelegate : public SecurityLookupDelegate
{
public:
    explicit BaseCodeColumnDelegate(ItemModelWithDelegates* model);
    BaseCodeColumnDelegate(int stockColumn, int boardColumn, ItemModelWithDelegates* model);
};
