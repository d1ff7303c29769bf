#pragma once

#include "core/db/fieldreaders.h"

#include <QByteArray>

// A typed value outside any record, stored in the same layout as a row cell.
class BV_DB_EXPORT FieldValue : public FieldReaders<FieldValue>
{
public:
    FieldValue() = default;
    explicit FieldValue(FieldType::Type type, int length = 0);
    FieldValue(FieldType::Type type, int length, const FieldInput& value);
    // A copy of a cell, with the cell's type and length.
    template<typename T, typename = decltype(std::declval<const T&>().fieldSlot())>
    FieldValue(const T& source) // NOLINT: a value is freely made from a cell
    {
        copySlot(source.fieldSlot());
    }

    FieldValue& operator=(const FieldInput& value);
    void clear();

    FieldSlot fieldSlot() const;

private:
    void copySlot(const FieldSlot& slot);

    FieldType::Type m_type = FieldType::Unknown;
    int m_length = 0;
    bool m_hasValue = false;
    QByteArray m_bytes;
};

// A value fixed when it is built, typically a constant of the terminal's codes made at start-up.
class BV_DB_EXPORT FieldConstValue : public FieldValue
{
public:
    FieldConstValue(FieldType::Type type, int length, const FieldInput& value)
        : FieldValue(type, length, value)
    { }
    FieldConstValue& operator=(const FieldInput&) = delete;
};
