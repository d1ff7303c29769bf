#include "filters/listfilterfunc.h"

#include <QStringList>

#include <algorithm>

bool ListFilterFunc::readsFields(int first, int last) const
{
    return std::any_of(
        m_children.begin(), m_children.end(), [=](const FilterFunc* child) { return child->readsFields(first, last); });
}

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
