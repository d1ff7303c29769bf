#include "models/indexmodeledit.h"

#include "core/db/masterindex.h"
#include "core/db/table.h"
#include "core/db/tableupdater.h"

namespace {

bool isKeyField(const Table* table, int field)
{
    return table->masterIndex()->keyColumns().contains(field);
}

} // namespace

IndexModelEdit::IndexModelEdit(Table* table, QObject* parent)
    : TableIndexModel(table, parent)
{ }

Qt::ItemFlags IndexModelEdit::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags flags = TableIndexModel::flags(index);
    // The same rule as setData(): an editor opened on a cell that refuses every value would drop what was typed.
    return editableField(index, Qt::EditRole) < 0 ? flags : flags | Qt::ItemIsEditable;
}

int IndexModelEdit::editableField(const QModelIndex& index, int role) const
{
    const Table* t = table();
    if (role != Qt::EditRole || !t || record(index).isNull() || index.column() <= 0)
        return -1;
    const int field = tableColumn(index.column());
    return field > 0 && field < t->columnCount() && !isKeyField(t, field) ? field : -1;
}

bool IndexModelEdit::setData(const QModelIndex& index, const QVariant& value, int role)
{
    const int field = editableField(index, role);
    if (field < 0)
        return false;
    TableUpdater updater(table());
    const Record row = record(index);
    row.data(field) = value.toString();
    row.updated(field);
    return true;
}

int IndexModelEdit::compare(const Record& a, const Record& b) const
{
    const Table* t = table();
    return t ? t->masterIndex()->compareKeys(a, b) : 0;
}
