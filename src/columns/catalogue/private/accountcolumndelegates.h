#pragma once

// The account columns: names, statuses and margin settings of trading accounts, dealers, settlement
// accounts and users, looked up by the code a record holds.

#include "columns/catalogue/cataloguedelegate.h"

class KvDealerDirectory;
class KvFutMarginTypeDirectory;
class KvInvestorDirectory;
class KvRFDirectory;
class KvUserDirectory;

// "Имя": the trading account's name.
class BASIC_VIEWS_EXPORT AccountColumnDelegate : public TextColumnDelegate
{
    Q_OBJECT
public:
    explicit AccountColumnDelegate(ItemModelWithDelegates* model);

protected:
    bool text(const Field& field, const Record& record, QString& text) const override;

private:
    const KvInvestorDirectory* m_directory; // not owned
};

// "Мастер логин": the login of a user number.
class BASIC_VIEWS_EXPORT AsprefColumnDelegate : public TextColumnDelegate
{
    Q_OBJECT
public:
    explicit AsprefColumnDelegate(ItemModelWithDelegates* model);

protected:
    bool text(const Field& field, const Record& record, QString& text) const override;

private:
    const KvUserDirectory* m_directory; // not owned
};

// A margin setting of the settlement account whose code is in the given column (the column's own field
// without one); ordered by the shown text, case-sensitive.
class BASIC_VIEWS_EXPORT MarginSettingDelegate : public TextColumnDelegate
{
    Q_OBJECT
public:
    using Lookup = QString (KvFutMarginTypeDirectory::*)(const QString& code) const;

protected:
    MarginSettingDelegate(const ColumnHeaderInfo& header, Lookup lookup, int column, QObject* parent);
    bool text(const Field& field, const Record& record, QString& text) const override;

private:
    const KvFutMarginTypeDirectory* m_directory; // not owned
    Lookup m_lookup;
    int m_column;
};

class BASIC_VIEWS_EXPORT FutMarginTypeDelegate : public MarginSettingDelegate
{
public:
    FutMarginTypeDelegate(int column, ItemModelWithDelegates* model);
};

class BASIC_VIEWS_EXPORT SATypeDelegate : public MarginSettingDelegate
{
public:
    SATypeDelegate(int column, ItemModelWithDelegates* model);
};

class BASIC_VIEWS_EXPORT UCPTypeDelegate : public MarginSettingDelegate
{
public:
    UCPTypeDelegate(int column, ItemModelWithDelegates* model);
};

// The rows of a limits table are a dealer's (no client code) or a client's. The three columns hold the
// dealer's code, the client's code and the settlement account.
struct AccountRowColumns
{
    int dealer = -1;
    int client = -1;
    int settlementAccount = -1;
};

// A column over dealer and client rows, ordered by its display values.
class BASIC_VIEWS_EXPORT AccountRowDelegate : public TextColumnDelegate
{
    Q_OBJECT
public:
    bool compare(const Field& f1, const Record& r1, const Field& f2, const Record& r2, int& result) const override;

protected:
    AccountRowDelegate(const ColumnHeaderInfo& header, const AccountRowColumns& columns, QObject* parent);
    bool isClientRow(const Record& record) const;
    const AccountRowColumns m_columns;
};

// The dealer's name on a dealer row, the client account's name on a client row.
class BASIC_VIEWS_EXPORT NameDelegate : public AccountRowDelegate
{
public:
    NameDelegate(int dealerColumn, int clientColumn, int settlementAccountColumn, ItemModelWithDelegates* model);

protected:
    bool text(const Field& field, const Record& record, QString& text) const override;

private:
    const KvDealerDirectory* m_dealers; // not owned
    const KvInvestorDirectory* m_investors; // not owned
};

// The blocking status of a dealer, or of a client row's settlement account followed by that account's margin
// type, account type and single-pool setting.
class BASIC_VIEWS_EXPORT StatusDelegate : public AccountRowDelegate
{
public:
    StatusDelegate(int dealerColumn, int clientColumn, int settlementAccountColumn, ItemModelWithDelegates* model);
    // The text of a blocking status; empty for an unknown one.
    static QString statusText(int status);

protected:
    bool text(const Field& field, const Record& record, QString& text) const override;

private:
    const KvDealerDirectory* m_dealers; // not owned
    const KvRFDirectory* m_accounts; // not owned
    const KvFutMarginTypeDirectory* m_margins; // not owned
};
