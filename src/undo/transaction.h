#pragma once

#include "basic_views_export.h"

#include <QScopedPointer>
#include <QUndoCommand>

class RecordsTrans;
class Table;

namespace Undo {

class TransactionPrivate;

// A group of record changes done and undone as one: its children (TransInsert, TransUpdate, TransDelete) stage
// their writes into one RecordsTrans, applied at once when they have all run, under one TableUpdater, so the
// table's indexes see one batch. Children redo in order and undo in reverse order; each sees what the ones
// before it staged.
class BASIC_VIEWS_EXPORT Transaction : public QUndoCommand
{
    Q_DECLARE_PRIVATE(Transaction)
public:
    explicit Transaction(Table* table);
    ~Transaction() override;

    // Hands `trans` to every child that is a TransCommand, for callers that run the children under their own
    // transaction; null takes it back.
    void prepareTrans(RecordsTrans* trans);

    void redo() override;
    void undo() override;

private:
    Q_DISABLE_COPY(Transaction)
    template<typename Run>
    void runChildren(Run run);

    QScopedPointer<TransactionPrivate> d_ptr;
};

} // namespace Undo
