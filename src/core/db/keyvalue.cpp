#include "core/db/keyvalue.h"

#include "core/db/record.h"

KeyValue KeyValue::fromRecord(const Record& record, const QList<int>& columns)
{
    KeyValue key;
    for (int column : columns)
        key.append(FieldValue(record.data(column)));
    return key;
}

QString KeyValue::toString() const
{
    QStringList parts;
    for (const FieldValue& v : *this)
        parts << v.toString();
    return parts.join(QLatin1Char(','));
}

int KeyValue::compare(const KeyValue& other) const
{
    const int n = qMin(size(), other.size());
    for (int i = 0; i < n; ++i) {
        const int c = at(i).compare(other.at(i));
        if (c != 0)
            return c;
    }
    return size() - other.size();
}
