#pragma once

#include "columns/itemmodelwithdelegates.h"
#include "core/db/table.h"

#include <algorithm>

// The smallest concrete ItemModelWithDelegates: a flat list of records, sorted stably by compare(), with
// default_compare() by the table's key text. Cell tests and paint benchmarks use it.
class RecordListModel : public ItemModelWithDelegates
{
public:
    explicit RecordListModel(Table* table, QObject* parent = nullptr)
        : ItemModelWithDelegates(table->columns(), parent)
        , m_table(table)
    { }
    Table* table() const override { return m_table; }

    void setRecords(const QList<Record>& records)
    {
        beginResetModel();
        m_records = records;
        resort();
        endResetModel();
    }
    const QList<Record>& records() const { return m_records; }
    // Tells the views a record's fields changed.
    void touch(int row, int firstField, int lastField) { dataChangedRow(row, firstField, lastField); }

    Record recordByIndex(const QModelIndex& index) const override
    {
        return index.isValid() ? m_records.value(index.row()) : Record();
    }
    void resort() override
    {
        std::stable_sort(
            m_records.begin(), m_records.end(), [this](const Record& a, const Record& b) { return compare(a, b) < 0; });
    }
    int default_compare(const Record& a, const Record& b) const override { return a.toString().compare(b.toString()); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : m_records.size();
    }
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override
    {
        if (parent.isValid() || row < 0 || row >= m_records.size() || column < 0 || column >= columnCount())
            return QModelIndex();
        return createIndex(row, column);
    }
    QModelIndex parent(const QModelIndex&) const override { return QModelIndex(); }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override
    {
        if (!index.isValid())
            return QVariant();
        return dataByRecord(m_records.at(index.row()), index.column(), role);
    }

private:
    Table* m_table; // not owned
    QList<Record> m_records;
};
