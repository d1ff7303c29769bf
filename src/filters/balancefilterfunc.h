#pragma once

#include "basic_views_export.h"
#include "core/host/filters/filterfunc.h"

// Orders by execution state, from the remaining quantity b ("balance") and the quantity q: not executed
// (b = q), fully executed (b = 0), partially executed (0 < b < q). One class per subset of shown states, named by
// three digits: partially, not, fully executed (1 = shown). They differ only in filter(), so they share a file.
class BASIC_VIEWS_EXPORT BalanceFilterFunc : public FilterFunc
{
    Q_OBJECT
public:
    BalanceFilterFunc(int balanceColumn, int quantityColumn, QObject* parent = nullptr);
    QString toString() const override;

    // The predicate of a set of shown states (bits: 4 partially, 2 not, 1 fully executed); a NoFilterFunc when all
    // three are shown.
    static FilterFunc* create(int shownStates, int balanceColumn, int quantityColumn, QObject* parent);

protected:
    int m_balance;
    int m_quantity;
};

// None: only an order without quantity.
class BASIC_VIEWS_EXPORT BalanceFilterFunc000 : public BalanceFilterFunc
{
    Q_OBJECT
public:
    using BalanceFilterFunc::BalanceFilterFunc;
    bool filter(const Record& record) const override;
};

// Fully executed.
class BASIC_VIEWS_EXPORT BalanceFilterFunc001 : public BalanceFilterFunc
{
    Q_OBJECT
public:
    using BalanceFilterFunc::BalanceFilterFunc;
    bool filter(const Record& record) const override;
};

// Not executed.
class BASIC_VIEWS_EXPORT BalanceFilterFunc010 : public BalanceFilterFunc
{
    Q_OBJECT
public:
    using BalanceFilterFunc::BalanceFilterFunc;
    bool filter(const Record& record) const override;
};

// Not or fully executed.
class BASIC_VIEWS_EXPORT BalanceFilterFunc011 : public BalanceFilterFunc
{
    Q_OBJECT
public:
    using BalanceFilterFunc::BalanceFilterFunc;
    bool filter(const Record& record) const override;
};

// Partially executed.
class BASIC_VIEWS_EXPORT BalanceFilterFunc100 : public BalanceFilterFunc
{
    Q_OBJECT
public:
    using BalanceFilterFunc::BalanceFilterFunc;
    bool filter(const Record& record) const override;
};

// Partially or fully executed.
class BASIC_VIEWS_EXPORT BalanceFilterFunc101 : public BalanceFilterFunc
{
    Q_OBJECT
public:
    using BalanceFilterFunc::BalanceFilterFunc;
    bool filter(const Record& record) const override;
};

// Partially or not executed.
class BASIC_VIEWS_EXPORT BalanceFilterFunc110 : public BalanceFilterFunc
{
    Q_OBJECT
public:
    using BalanceFilterFunc::BalanceFilterFunc;
    bool filter(const Record& record) const override;
};
