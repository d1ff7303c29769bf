#include "filters/private/datefilterfunc.h"

DateFilterFunc::DateFilterFunc(int column, const datetime& from, const datetime& to, QObject* parent)
    : FilterFunc(parent)
    , m_column(column)
    , m_from(from)
    , m_to(to)
{ }

bool DateFilterFunc::filter(const Record& record) const
{
    const datetime moment = record.data(m_column).toDatetime();
    return !(moment < m_from) && moment < m_to;
}

QString DateFilterFunc::toString() const
{
    return QStringLiteral("DateFilterFunc[%1, %2)").arg(m_from.toString(), m_to.toString());
}
