#pragma once

#include "core/db/columndef.h"

#include <QList>
#include <QVector>

// Where each field of a row lives. A row's raw storage is one block: every field at a fixed, aligned byte offset
// in column order, then one has-value bit per field; padding bytes stay zero, so that two rows with equal values
// are equal byte for byte, and adjacent fixed-size key columns form one byte range.
class BV_DB_EXPORT RowLayout
{
public:
    struct Slot
    {
        FieldType::Type type;
        int length;
        int offset;
        int size;
    };

    RowLayout() = default;
    explicit RowLayout(const QList<ColumnDef>& columns);

    int columnCount() const { return m_slots.size(); }
    const Slot& slot(int column) const { return m_slots[column]; }
    int offset(int column) const { return m_slots[column].offset; }
    int size(int column) const { return m_slots[column].size; }
    // Bytes of a row's raw storage, and the bytes its values need without bits and padding.
    int rowBytes() const { return m_rowBytes; }
    int fieldBytes() const { return m_fieldBytes; }

    // Where a field's has-value bit is: byte offset in the raw storage and mask.
    int valueBitOffset(int column) const { return m_bitsOffset + (column >> 3); }
    static uchar valueBitMask(int column) { return uchar(1u << (column & 7)); }

    bool hasValue(const uchar* raw, int column) const
    {
        return raw[m_bitsOffset + (column >> 3)] & (1u << (column & 7));
    }
    void setHasValue(uchar* raw, int column, bool on) const
    {
        uchar& bits = raw[m_bitsOffset + (column >> 3)];
        if (on)
            bits |= uchar(1u << (column & 7));
        else
            bits &= uchar(~(1u << (column & 7)));
    }

private:
    QVector<Slot> m_slots;
    int m_rowBytes = 0;
    int m_bitsOffset = 0;
    int m_fieldBytes = 0;
};
