#pragma once

#include "models/indexmodeledit.h"

#include <QPointer>
#include <QUndoStack>

// An editable table model whose cell edits go on an undo stack: an edit the cell and its field accept becomes one
// Undo::Update, done at once by the stack and taken back by its undo; the cell's own value pushes nothing. A
// value the field cannot hold is refused with the field's reason before anything is pushed.
class UndoEditModel : public IndexModelEdit
{
    Q_OBJECT
public:
    UndoEditModel(Table* table, QUndoStack* stack, QObject* parent = nullptr);

    QUndoStack* undoStack() const { return m_stack; }
    // Writes `value` into the field that the column of `index` shows, in `copy` (a detached record of the table),
    // a decimal with at least the column's decimals; throws the reason when the column is not editable or the
    // field cannot hold the value.
    void writeCell(Record& copy, const QModelIndex& index, const QVariant& value) const;

    // Cells neither open for editing nor take a value.
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }

    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    QPointer<QUndoStack> m_stack;
    bool m_readOnly = false;
};
