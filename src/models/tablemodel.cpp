#include "models/tablemodel.h"

#include "models/private/tablemodel_p.h"

#include "core/db/indexiterative.h"
#include "core/db/table.h"

TableModel::TableModel(IndexIterative* source, QObject* parent)
    : ItemModelWithDelegates(*new TableModelPrivate, parent)
{
    Q_D(TableModel);
    d->table = source ? source->table() : nullptr;
    if (d->table)
        setColumns(d->table->columns());
    if (!source)
        return;
    for (const Record& record : *source)
        d->records.append(record);
}

TableModel::~TableModel() = default;

Table* TableModel::table() const
{
    return d_func()->table;
}

Record TableModel::recordByIndex(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this ? d_func()->records.at(index.row()) : Record();
}

QModelIndex TableModel::indexColumn(const QModelIndex& index, int column) const
{
    return index.isValid() ? this->index(index.row(), column) : QModelIndex();
}

int TableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : d_func()->records.count();
}

QModelIndex TableModel::index(int row, int column, const QModelIndex& parent) const
{
    Q_D(const TableModel);
    if (parent.isValid() || row < 0 || row >= d->records.count() || column < 0 || column >= columnCount())
        return QModelIndex();
    return createIndex(row, column, d->records.at(row).handle());
}

QModelIndex TableModel::parent(const QModelIndex&) const
{
    return QModelIndex();
}

QVariant TableModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    if (role == Qt::TextAlignmentRole)
        return int(columnAlignment(index.column()));
    const Record& record = d_func()->records.at(index.row());
    if (record.isNull())
        return QVariant();
    const int field = tableColumn(index.column());
    return dataByField(record.data(field < 0 ? 0 : field), record, index.column(), role);
}
