#pragma once

#include "core/db/fieldvalue.h"

#include <QList>

class Record;

// The values of a record's key columns, in column order.
class BV_DB_EXPORT KeyValue : public QList<FieldValue>
{
public:
    KeyValue() = default;
    KeyValue(std::initializer_list<FieldValue> values)
        : QList<FieldValue>(values)
    { }
    static KeyValue fromRecord(const Record& record, const QList<int>& columns);

    // The values' texts joined with ",", the form used in settings and drag data.
    QString toString() const;
    int compare(const KeyValue& other) const;
    bool operator==(const KeyValue& other) const { return compare(other) == 0; }
    bool operator!=(const KeyValue& other) const { return compare(other) != 0; }
    bool operator<(const KeyValue& other) const { return compare(other) < 0; }
};
