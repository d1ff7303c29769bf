#pragma once

#include "core/db/fieldcodec.h"

// The read side shared by `Field` (a cell of a row) and `FieldValue` (a value outside any row).
// `Derived` provides `FieldSlot fieldSlot() const`.
template<typename Derived>
class FieldReaders
{
public:
    FieldType::Type type() const { return slot().type; }
    int length() const { return slot().length; }
    bool hasValue() const { return slot().hasValue; }
    bool isNull() const { return !slot().hasValue; }

    QString toString() const { return FieldCodec::toString(slot()); }
    QString toSystemString() const { return FieldCodec::toSystemString(slot()); }
    // Text of a String or Char field without copying it; valid while the row is.
    QStringView toStringView() const { return FieldCodec::toStringView(slot()); }
    qint32 toInteger() const { return FieldCodec::toInteger(slot()); }
    qint64 toInteger64() const { return FieldCodec::toInteger64(slot()); }
    double toDouble() const { return FieldCodec::toDouble(slot()); }
    decimal toDecimal() const { return FieldCodec::toDecimal(slot()); }
    xdecimal toXDecimal() const { return FieldCodec::toXDecimal(slot()); }
    datetime toDatetime() const { return FieldCodec::toDatetime(slot()); }
    QDate toQDate() const { return FieldCodec::toQDate(slot()); }
    QTime toQTime() const { return FieldCodec::toQTime(slot()); }
    QDateTime toQDateTime() const { return FieldCodec::toQDateTime(slot()); }
    QChar toChar() const { return FieldCodec::toChar(slot()); }
    QVariant toVariant() const { return FieldCodec::toVariant(slot()); }

    // The stored value without conversion: the bytes, the integer the bytes hold (sign flags, masks, order
    // signs) and their first byte.
    const uchar* raw() const { return slot().data; }
    qint64 rawInt64() const { return FieldCodec::rawInt64(slot()); }
    quint8 rawByte() const { return slot().data ? slot().data[0] : 0; }

    template<typename Other>
    int compare(const FieldReaders<Other>& other) const
    {
        return FieldCodec::compare(slot(), other.slot());
    }
    template<typename Other>
    bool operator==(const FieldReaders<Other>& other) const
    {
        return compare(other) == 0;
    }
    template<typename Other>
    bool operator!=(const FieldReaders<Other>& other) const
    {
        return compare(other) != 0;
    }

private:
    template<typename>
    friend class FieldReaders;
    FieldSlot slot() const { return static_cast<const Derived*>(this)->fieldSlot(); }
};
