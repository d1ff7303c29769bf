#include "filters/quantityfilterfunc.h"

QuantityFilterFunc::QuantityFilterFunc(int column, qint64 minimum, QObject* parent)
    : FilterFunc(parent)
    , m_column(column)
    , m_minimum(minimum)
{ }

QString QuantityFilterFunc::toString() const
{
    return QStringLiteral("QuantityFilterFunc[>= %1]").arg(m_minimum);
}
