#pragma once

#include "columns/itemmodelwithdelegates.h"
class IndexIterative;
class TableModelPrivate;

// A frozen copy of the rows an index holds at one moment, shown through the column delegates: the rows never
// change, their values are the records' own (live while the records are in their table). Not an index: the table
// does not tell it of changes, so a view repaints to show new values.
class BASIC_VIEWS_EXPORT TableModel : public ItemModelWithDelegates
{
    Q_OBJECT
    Q_DECLARE_PRIVATE(TableModel)
public:
    // Columns are the source table's; the rows are the source's records in its order.
    explicit TableModel(IndexIterative* source, QObject* parent = nullptr);
    ~TableModel() override;

    Table* table() const override;
    Record recordByIndex(const QModelIndex& index) const override;
    QModelIndex indexColumn(const QModelIndex& index, int column) const override;
    // The rows stay as they were taken.
    void resort() override { }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
};
