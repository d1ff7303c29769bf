#pragma once

// The accounting columns: variation margin of a settlement account and the fees of a deal, as xdecimals.

#include "columns/catalogue/cataloguedelegate.h"

class DealFeeDirectory;

// "Вар. маржа": the futures' and options' variation margin of the settlement account in the given column.
class BASIC_VIEWS_EXPORT VMDelegate : public CatalogueDelegate
{
    Q_OBJECT
public:
    VMDelegate(int accountColumn, ItemModelWithDelegates* model);
    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;
    bool compare(const Field& f1, const Record& r1, const Field& f2, const Record& r2, int& result) const override;

private:
    xdecimal margin(const Record& record) const;
    int m_accountColumn;
};

// A deal's fee from a fee directory: the buyer's when the row's side is "B", the seller's otherwise; no value
// when the deal has no fee record.
class BASIC_VIEWS_EXPORT DealFeeDelegate : public CatalogueDelegate
{
    Q_OBJECT
public:
    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;

protected:
    // With a flag column the fee shows only on rows whose flag is 1 (other rows leave the role unanswered).
    DealFeeDelegate(const DealFeeDirectory* directory, int flagColumn, int sideColumn, int dealColumn, QObject* parent);

private:
    const DealFeeDirectory* m_directory; // not owned
    int m_flagColumn;
    int m_sideColumn;
    int m_dealColumn;
};

// The exchange's fee.
class BASIC_VIEWS_EXPORT FeeColumnDelegate : public DealFeeDelegate
{
public:
    FeeColumnDelegate(int flagColumn, int sideColumn, int dealColumn, QObject* parent = nullptr);
};

// The broker's fee, shown on every row.
class BASIC_VIEWS_EXPORT BrokerFeeColumnDelegate : public DealFeeDelegate
{
public:
    BrokerFeeColumnDelegate(int dealColumn, int sideColumn, QObject* parent = nullptr);
};
