#include "undoeditmodel.h"

#include "core/db/decimal.h"
#include "core/db/table.h"
#include "undo/update.h"

#include <QUndoStack>

UndoEditModel::UndoEditModel(Table* table, QUndoStack* stack, QObject* parent)
    : IndexModelEdit(table, parent)
    , m_stack(stack)
{ }

void UndoEditModel::writeCell(Record& copy, const QModelIndex& index, const QVariant& value) const
{
    const int field = editableField(index, Qt::EditRole);
    if (field < 0)
        throw tr("Столбец «%1» не изменяется").arg(headerData(index.column(), Qt::Horizontal).toString());
    Field cell = copy.data(field);
    cell = value.toString();
    // A sum typed without its kopecks ("1500000") is kept with the column's decimals, as the rest of the column.
    const Table* t = table();
    if (t->columnType(field) == FieldType::Decimal) {
        const decimal typed = cell.toDecimal();
        const int scale = t->columnDef(field).length;
        if (!typed.isEmpty() && typed.scale() < scale)
            cell = typed.withScale(scale);
    }
}

Qt::ItemFlags UndoEditModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags flags = IndexModelEdit::flags(index);
    return m_readOnly ? flags & ~Qt::ItemIsEditable : flags;
}

bool UndoEditModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    const int field = editableField(index, role);
    if (!m_stack || m_readOnly || field < 0)
        return false;
    const Record row = record(index);
    Record after = row.clone();
    writeCell(after, index, value);
    // An editor closed on the value it opened with (Enter, or a click elsewhere) leaves no step to take back.
    if (after.data(field) == row.data(field))
        return true;
    auto* command = new Undo::Update(table(), row, after);
    command->setText(
        tr("изменение «%1» в строке %2").arg(headerData(index.column(), Qt::Horizontal).toString(), row.toString()));
    m_stack->push(command);
    return true;
}
