#include "core/host/filters/filterfunc.h"

#include <algorithm>

FilterFunc::FilterFunc(QObject* parent)
    : QObject(parent)
{ }

bool FilterFunc::readsFields(int, int) const
{
    return true;
}

bool FilterFunc::anyInRange(const QList<int>& columns, int first, int last)
{
    if (first < 0 || last < 0)
        return true;
    return std::any_of(columns.begin(), columns.end(), [=](int c) { return c >= first && c <= last; });
}

QString FilterFunc::toString() const
{
    return QString::fromLatin1(metaObject()->className());
}
