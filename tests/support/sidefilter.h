#pragma once

#include "core/db/table.h"
#include "filters/enumfilter.h"

// An enumeration filter over the side of an order or deal ('B', 'S').
class SideFilter : public EnumFilter
{
public:
    explicit SideFilter(Table& table)
        : EnumFilter(table, table.columnIndex(QStringLiteral("buysell")))
    { }
    QString name() const override { return QStringLiteral("Направление"); }
    QList<KeyValue> keys() const override
    {
        return { KeyValue { FieldValue(FieldType::Char, 1, 'B') }, KeyValue { FieldValue(FieldType::Char, 1, 'S') } };
    }
};
