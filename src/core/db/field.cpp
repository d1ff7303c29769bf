#include "core/db/field.h"

#include "core/db/private/recorddata_p.h"
#include "core/db/table.h"

Field::Field(RecordData* row, int column)
    : m_row(row)
    , m_column(column)
{ }

Table* Field::table() const
{
    return m_row ? m_row->table : nullptr;
}

QString Field::name() const
{
    return isValid() ? m_row->table->columnName(m_column) : QString();
}

FieldSlot Field::fieldSlot() const
{
    if (!isValid())
        return FieldSlot();
    const RowLayout& layout = m_row->table->layout();
    const RowLayout::Slot& s = layout.slot(m_column);
    return FieldSlot { s.type, s.length, m_row->raw() + s.offset, layout.hasValue(m_row->raw(), m_column) };
}

Field& Field::assign(const FieldInput& value)
{
    if (!isValid())
        throw tr("Запись в несуществующее поле: '%1'").arg(value.describe());
    const RowLayout& layout = m_row->table->layout();
    const RowLayout::Slot& s = layout.slot(m_column);
    const bool has = FieldCodec::write(
        s.type, s.length, m_row->raw() + s.offset, value, m_row->table->columns().at(m_column).name);
    layout.setHasValue(m_row->raw(), m_column, has);
    return *this;
}

void Field::clear()
{
    if (!isValid())
        return;
    const RowLayout& layout = m_row->table->layout();
    const RowLayout::Slot& s = layout.slot(m_column);
    FieldCodec::clear(s.type, s.length, m_row->raw() + s.offset);
    layout.setHasValue(m_row->raw(), m_column, false);
}
