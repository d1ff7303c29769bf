#include "filters/balancefilterfunc.h"

#include "filters/nofilterfunc.h"

BalanceFilterFunc::BalanceFilterFunc(int balanceColumn, int quantityColumn, QObject* parent)
    : FilterFunc(parent)
    , m_balance(balanceColumn)
    , m_quantity(quantityColumn)
{ }

QString BalanceFilterFunc::toString() const
{
    return QString::fromLatin1(metaObject()->className());
}

FilterFunc* BalanceFilterFunc::create(int shownStates, int balanceColumn, int quantityColumn, QObject* parent)
{
    switch (shownStates & 7) {
    case 0:
        return new BalanceFilterFunc000(balanceColumn, quantityColumn, parent);
    case 1:
        return new BalanceFilterFunc001(balanceColumn, quantityColumn, parent);
    case 2:
        return new BalanceFilterFunc010(balanceColumn, quantityColumn, parent);
    case 3:
        return new BalanceFilterFunc011(balanceColumn, quantityColumn, parent);
    case 4:
        return new BalanceFilterFunc100(balanceColumn, quantityColumn, parent);
    case 5:
        return new BalanceFilterFunc101(balanceColumn, quantityColumn, parent);
    case 6:
        return new BalanceFilterFunc110(balanceColumn, quantityColumn, parent);
    default:
        return new NoFilterFunc(parent);
    }
}

bool BalanceFilterFunc000::filter(const Record& record) const
{
    return !record.data(m_quantity).hasValue();
}

bool BalanceFilterFunc001::filter(const Record& record) const
{
    return record.data(m_balance).toInteger64() == 0;
}

bool BalanceFilterFunc010::filter(const Record& record) const
{
    return record.data(m_balance).compare(record.data(m_quantity)) == 0;
}

bool BalanceFilterFunc011::filter(const Record& record) const
{
    return record.data(m_balance).toInteger64() == 0 || record.data(m_balance).compare(record.data(m_quantity)) == 0;
}

bool BalanceFilterFunc100::filter(const Record& record) const
{
    const qint64 b = record.data(m_balance).toInteger64();
    return b >= 1 && b < record.data(m_quantity).toInteger64();
}

bool BalanceFilterFunc101::filter(const Record& record) const
{
    return record.data(m_balance).compare(record.data(m_quantity)) != 0;
}

bool BalanceFilterFunc110::filter(const Record& record) const
{
    return record.data(m_balance).toInteger64() != 0;
}
