#include "filters/listfilterfunc.h"

#include <QStringList>

bool ListFilterFunc::filter(const Record& record) const
{
    for (const FilterFunc* child : m_children) {
        if (!child->filter(record))
            return false;
    }
    return true;
}

QString ListFilterFunc::toString() const
{
    QStringList parts;
    for (const FilterFunc* child : m_children)
        parts << child->toString();
    return QLatin1Char('[') + parts.join(QStringLiteral(", ")) + QLatin1Char(']');
}
