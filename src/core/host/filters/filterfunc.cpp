#include "core/host/filters/filterfunc.h"

FilterFunc::FilterFunc(QObject* parent)
    : QObject(parent)
{ }

bool FilterFunc::readsFields(int, int) const
{
    return true;
}

QString FilterFunc::toString() const
{
    return QString::fromLatin1(metaObject()->className());
}
