#pragma once

#include "core/db/table.h"
#include "core/host/directories/enumdirectories.h"
#include "filters/enumfilter.h"

// An enumeration filter over the order statuses, as the terminal's status filter is.
class StatusFilter : public EnumFilter
{
public:
    StatusFilter(Table& table, QObject* parent = nullptr)
        : EnumFilter(table, table.columnIndex(QStringLiteral("status")), parent)
    { }
    QString name() const override { return QStringLiteral("Статус"); }
    QList<KeyValue> keys() const override
    {
        QList<KeyValue> keys;
        for (const FieldValue& code : StatusDirectory::i()->keys())
            keys << KeyValue { code };
        return keys;
    }
    QString keyToText(const KeyValue& key) const override
    {
        return StatusDirectory::i()->nameByKey(key.first().toInteger64());
    }
};
