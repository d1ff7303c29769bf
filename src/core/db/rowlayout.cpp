#include "rowlayout.h"

RowLayout::RowLayout(const QList<ColumnDef>& columns)
{
    int offset = (columns.size() + 7) / 8;
    for (const ColumnDef& column : columns) {
        const int align = FieldType::storageAlignment(column.type);
        const int size = FieldType::storageSize(column.type, column.length);
        offset = (offset + align - 1) / align * align;
        m_slots.append(Slot {column.type, column.length, offset, size});
        offset += size;
        m_fieldBytes += size;
    }
    m_rowBytes = (offset + 7) / 8 * 8;
}
