#include "core/host/filters/filterfunc.h"

FilterFunc::FilterFunc(QObject* parent)
    : QObject(parent)
{ }

QString FilterFunc::toString() const
{
    return QString::fromLatin1(metaObject()->className());
}
