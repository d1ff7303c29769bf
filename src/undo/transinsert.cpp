#include "undo/transinsert.h"
#include "undo/private/transinsert_p.h"

#include "undo/private/recordwrites.h"
#include "undo/transaction.h"

namespace Undo {

TransInsert::TransInsert(const Record& record, Transaction* parent)
    : TransCommand(*new TransInsertPrivate, parent)
{
    Q_D(TransInsert);
    d->record = record.clone();
}

void TransInsert::redo()
{
    Q_D(TransInsert);
    if (trans())
        stageCopy(*trans(), d->record);
    QUndoCommand::redo();
}

void TransInsert::undo()
{
    Q_D(TransInsert);
    if (trans())
        stageRemoval(*trans(), d->record);
    QUndoCommand::undo();
}

} // namespace Undo
