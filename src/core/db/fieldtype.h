#pragma once

#include "core/db/bv_db_export.h"

#include <QString>

// Storage types of table fields. The numeric codes are fixed: views and settings read them.
namespace FieldType {

enum Type {
    Unknown = 0,
    Int32 = 1,
    Int64 = 2,
    Double = 3,
    Decimal = 4,
    XDecimal = 5,
    String = 6, // text of up to `length` characters, stored inline
    DateTime = 7,
    Char = 8, // one character code (sides, statuses)
};

BV_DB_EXPORT bool isValid(Type type);
BV_DB_EXPORT QString typeName(Type type);
// "String(7)" for texts, "Decimal(2)" for fixed point with a default scale, the plain name otherwise.
BV_DB_EXPORT QString typeNameWithLength(Type type, int length);

// Bytes a value of the type occupies inside a row, and the alignment of its first byte.
BV_DB_EXPORT int storageSize(Type type, int length);
BV_DB_EXPORT int storageAlignment(Type type);

} // namespace FieldType
