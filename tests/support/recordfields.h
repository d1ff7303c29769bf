#pragma once

#include "core/db/masterindex.h"
#include "core/db/record.h"
#include "core/db/table.h"

#include <QStringList>

// Reading a record's fields by name in tests: `number(order, "balance")`, `text(order, "account")`.
inline qint64 number(const Record& record, const char* field)
{
    return record.data(QString::fromLatin1(field)).toInteger64();
}

inline QString text(const Record& record, const char* field)
{
    return record.data(QString::fromLatin1(field)).toString();
}

// The keys of a table in key order, each followed by "=" and a column's value when one is named.
inline QString masterRows(const Table* table, const QString& column = QString())
{
    QStringList keys;
    for (const Record& r : *table->masterIndex())
        keys << (column.isEmpty() ? r.toString() : r.toString() + QLatin1Char('=') + r.data(column).toString());
    return keys.join(QLatin1Char(' '));
}

// Every row of a table as text, its fields joined with ";", in key order.
inline QStringList tableRows(const Table* table)
{
    QStringList rows;
    for (const Record& r : *table->masterIndex()) {
        QStringList fields;
        for (int c = 0; c < table->columnCount(); ++c)
            fields << r.data(c).toString();
        rows << fields.join(QLatin1Char(';'));
    }
    return rows;
}
