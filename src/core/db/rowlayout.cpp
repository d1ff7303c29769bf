#include "core/db/rowlayout.h"

RowLayout::RowLayout(const QList<ColumnDef>& columns)
{
    // Fields from byte 0, the has-value bits after them: no padding before the first field.
    int offset = 0;
    for (const ColumnDef& column : columns) {
        const int align = FieldType::storageAlignment(column.type);
        const int size = FieldType::storageSize(column.type, column.length);
        offset = (offset + align - 1) / align * align;
        m_slots.append(Slot { column.type, column.length, offset, size });
        offset += size;
        m_fieldBytes += size;
    }
    m_bitsOffset = offset;
    m_rowBytes = (offset + (columns.size() + 7) / 8 + 7) / 8 * 8;
}
