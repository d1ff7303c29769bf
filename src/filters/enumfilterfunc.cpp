#include "filters/enumfilterfunc.h"

EnumFilterFunc::EnumFilterFunc(
    Table* table, const QList<KeyValue>& excluded, const QList<int>& columns, QObject* parent)
    : KeyFilterFunc(table, excluded, columns, parent)
{ }

bool EnumFilterFunc::filter(const Record& record) const
{
    return keys().isEmpty() || !KeyFilterFunc::filter(record);
}

QString EnumFilterFunc::toString() const
{
    return QStringLiteral("Enum") + KeyFilterFunc::toString();
}

EnumFilterFunc_Fast::EnumFilterFunc_Fast(
    Table* table, const QList<KeyValue>& excluded, const QList<int>& columns, QObject* parent)
    : KeyFilterFunc_Fast(table, excluded, columns, parent)
{ }

bool EnumFilterFunc_Fast::filter(const Record& record) const
{
    return keyCount() == 0 || !KeyFilterFunc_Fast::filter(record);
}

QString EnumFilterFunc_Fast::toString() const
{
    return QStringLiteral("Enum") + KeyFilterFunc_Fast::toString();
}
