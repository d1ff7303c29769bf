#pragma once

#include "core/db/record.h"

// Reading a record's fields by name in tests: `number(order, "balance")`, `text(order, "account")`.
inline qint64 number(const Record& record, const char* field)
{
    return record.data(QString::fromLatin1(field)).toInteger64();
}

inline QString text(const Record& record, const char* field)
{
    return record.data(QString::fromLatin1(field)).toString();
}
