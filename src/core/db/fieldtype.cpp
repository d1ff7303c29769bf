#include "core/db/fieldtype.h"

namespace FieldType {

bool isValid(Type type)
{
    return type >= Int32 && type <= Char;
}

QString typeName(Type type)
{
    switch (type) {
    case Int32:
        return QStringLiteral("Int32");
    case Int64:
        return QStringLiteral("Int64");
    case Double:
        return QStringLiteral("Double");
    case Decimal:
        return QStringLiteral("Decimal");
    case XDecimal:
        return QStringLiteral("XDecimal");
    case String:
        return QStringLiteral("String");
    case DateTime:
        return QStringLiteral("DateTime");
    case Char:
        return QStringLiteral("Char");
    case Unknown:
        break;
    }
    return QStringLiteral("Unknown");
}

QString typeNameWithLength(Type type, int length)
{
    switch (type) {
    case String:
    case Decimal:
    case XDecimal:
        return QStringLiteral("%1(%2)").arg(typeName(type)).arg(length);
    default:
        return typeName(type);
    }
}

int storageSize(Type type, int length)
{
    switch (type) {
    case Int32:
        return 4;
    case Int64:
    case Double:
    case DateTime:
        return 8;
    case Decimal:
        return 9; // 64-bit mantissa, then the scale byte
    case XDecimal:
        return 17; // 128-bit mantissa, then the scale byte
    case String:
        return 2 * qMax(length, 1);
    case Char:
        return 2;
    case Unknown:
        break;
    }
    return 0;
}

int storageAlignment(Type type)
{
    switch (type) {
    case Int32:
        return 4;
    case Int64:
    case Double:
    case DateTime:
        return 8;
    case Decimal:
    case XDecimal:
        return 4; // read through memcpy; a looser alignment saves the padding after the scale byte
    case String:
    case Char:
        return 2;
    case Unknown:
        break;
    }
    return 1;
}

} // namespace FieldType
