#include "models/tablemodel.h"

#include "core/db/indexiterative.h"
#include "core/db/table.h"

TableModel::TableModel(IndexIterative* source, QObject* parent)
    : ItemModelWithDelegates(parent)
    , m_table(source ? source->table() : nullptr)
{
    if (m_table)
        setColumns(m_table->columns());
    if (!source)
        return;
    for (const Record& record : *source)
        m_records.append(record);
}

TableModel::~TableModel() = default;

Table* TableModel::table() const
{
    return m_table;
}

Record TableModel::recordByIndex(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this ? m_records.at(index.row()) : Record();
}

QModelIndex TableModel::indexColumn(const QModelIndex& index, int column) const
{
    return index.isValid() ? this->index(index.row(), column) : QModelIndex();
}

int TableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_records.count();
}

QModelIndex TableModel::index(int row, int column, const QModelIndex& parent) const
{
    if (parent.isValid() || row < 0 || row >= m_records.count() || column < 0 || column >= columnCount())
        return QModelIndex();
    return createIndex(row, column, m_records.at(row).handle());
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
    const Record& record = m_records.at(index.row());
    if (record.isNull())
        return QVariant();
    const int field = tableColumn(index.column());
    return dataByField(record.data(field < 0 ? 0 : field), record, index.column(), role);
}
