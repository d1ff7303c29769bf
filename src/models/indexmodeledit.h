#pragma once

#include "models/tableindexmodel.h"

// A live table model whose cells the user edits in place: every field but the first and the primary key's is
// written into the table at once. Rows stay in primary-key order whatever sort is asked for.
class BASIC_VIEWS_EXPORT IndexModelEdit : public TableIndexModel
{
    Q_OBJECT
public:
    explicit IndexModelEdit(Table* table, QObject* parent = nullptr);

    // Editable where setData() writes: not column 0, a key column or a column that shows no field of the table.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Writes value.toString() into the cell's field under a TableUpdater and reports the change; false for
    // another role, column 0, a key column or a column beyond the table's. Throws the field's message, changing
    // nothing, when the field cannot hold the value.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    // Primary-key order, whatever the sort column.
    int compare(const Record& a, const Record& b) const override;

protected:
    // The table field setData() writes for `index` and `role`, or -1 when it writes none.
    int editableField(const QModelIndex& index, int role) const;
};
