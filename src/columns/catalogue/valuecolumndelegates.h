#pragma once

// The money and price columns: prices to the instrument's decimals, deal values, yields, volatilities,
// variation margin and fees. Each computes a decimal from the record and the directories.

#include "columns/catalogue/cataloguedelegate.h"
#include "core/db/decimal.h"

class All_DealsValueColumnDelegatePrivate;
class DealValueDelegatePrivate;
class InstrumentValueDelegatePrivate;
class SecurityDirectory;
class ValueColumnDelegatePrivate;
class VolatBySecIdDelegatePrivate;

// A value of the record's instrument that the security directory knows; its reload repaints the column.
class BASIC_VIEWS_EXPORT InstrumentValueDelegate : public CatalogueDelegate
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, InstrumentValueDelegate)
protected:
    InstrumentValueDelegate(const ColumnHeaderInfo& header, const InstrumentColumns& instrument, QObject* parent);
    InstrumentValueDelegate(InstrumentValueDelegatePrivate& dd, const InstrumentColumns& instrument, QObject* parent);
    const SecurityDirectory* directory() const;
    const InstrumentColumns& instrument() const;
};

// A price to the decimals of the record's instrument; an instrument the directory does not know shows the
// stored value unscaled. Sorting stays with the stored numbers.
class BASIC_VIEWS_EXPORT PriceColumnDelegate : public InstrumentValueDelegate
{
    Q_OBJECT
public:
    explicit PriceColumnDelegate(ItemModelWithDelegates* model);
    PriceColumnDelegate(int stockColumn, int boardColumn, int secColumn, ItemModelWithDelegates* model);
    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;

protected:
    decimal price(const Field& field, const Record& record) const;
};

// A market maker's spread: the price when it is above zero, an empty cell otherwise.
class BASIC_VIEWS_EXPORT MMSpreadColumnDelegate : public PriceColumnDelegate
{
public:
    explicit MMSpreadColumnDelegate(ItemModelWithDelegates* model);
    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;
};

// The money value of a deal or order: quantity × price × lot size, to the kopeck (truncated).
class BASIC_VIEWS_EXPORT DealValueDelegate : public CatalogueDelegate
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, DealValueDelegate)
public:
    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;
    // By value: a computed column has no field to compare.
    bool compare(const Field& f1, const Record& r1, const Field& f2, const Record& r2, int& result) const override;
    // quantity × price × lots in kopecks, computed exactly and truncated; false for an empty value or one that does
    // not fit 64 bits.
    static bool valueInKopecks(const decimal& quantity, const decimal& price, qint64 lots, qint64& kopecks);

protected:
    DealValueDelegate(int priceColumn, int quantityColumn, QObject* parent);
    DealValueDelegate(DealValueDelegatePrivate& dd, int priceColumn, int quantityColumn, QObject* parent);
    // The record's lot size; false when it is not known.
    virtual bool lotSize(const Record& record, qint64& lots) const = 0;

private:
    bool kopecksOf(const Record& record, qint64& kopecks) const;
};

// The value with the lot size of the record's instrument.
class BASIC_VIEWS_EXPORT ValueColumnDelegate : public DealValueDelegate
{
    Q_DECLARE_PRIVATE_D(m_d, ValueColumnDelegate)
public:
    explicit ValueColumnDelegate(ItemModelWithDelegates* model);

protected:
    bool lotSize(const Record& record, qint64& lots) const override;
};

// The value with the lot size the deal itself carries.
class BASIC_VIEWS_EXPORT All_DealsValueColumnDelegate : public DealValueDelegate
{
    Q_DECLARE_PRIVATE_D(m_d, All_DealsValueColumnDelegate)
public:
    explicit All_DealsValueColumnDelegate(ItemModelWithDelegates* model);

protected:
    bool lotSize(const Record& record, qint64& lots) const override;
};

// "Доходность": the yield of an interest-rate future at the field's price.
class BASIC_VIEWS_EXPORT ProfitRateDelegate : public InstrumentValueDelegate
{
    Q_OBJECT
public:
    explicit ProfitRateDelegate(ItemModelWithDelegates* model);
    ProfitRateDelegate(int stockColumn, int boardColumn, int secColumn, ItemModelWithDelegates* model);
    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;
};

// An instrument's volatility as the host computes it, for the derivatives market (stock 1) only. Either a
// function of the instrument id and a parameter the host may change at any time (read at each paint),
// optionally times a multiplier column, shown on boards 14 and 15 and repainted at each tick of the
// directory's volatility timer; or a function of the instrument's key, repainted when the volatilities are.
class BASIC_VIEWS_EXPORT VolatBySecIdDelegate : public InstrumentValueDelegate
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, VolatBySecIdDelegate)
public:
    using ByIdFunc = decimal (SecurityDirectory::*)(qint64 sec, int parameter) const;
    using ByKeyFunc = decimal (SecurityDirectory::*)(int stock, int board, qint64 sec) const;

    VolatBySecIdDelegate(ItemModelWithDelegates* model, ByIdFunc func, const int& parameter, int multiplierColumn = -1);
    VolatBySecIdDelegate(ItemModelWithDelegates* model, ByKeyFunc func);
    bool data(const Field& field, const Record& record, int role, QVariant& value) const override;
    bool compare(const Field& f1, const Record& r1, const Field& f2, const Record& r2, int& result) const override;

private:
    VolatBySecIdDelegate(ItemModelWithDelegates* model);
    QVariant volatility(const Record& record) const;
};
