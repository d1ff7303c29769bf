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
