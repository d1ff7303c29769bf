#include "undo/transdelete.h"
#include "undo/private/transdelete_p.h"

#include "undo/private/recordwrites.h"
#include "undo/transaction.h"

namespace Undo {

TransDelete::TransDelete(const Record& record, Transaction* parent)
    : TransCommand(*new TransDeletePrivate, parent)
{
    Q_D(TransDelete);
    d->record = record.clone();
}

void TransDelete::redo()
{
    Q_D(TransDelete);
    if (trans())
        stageRemoval(*trans(), d->record);
    QUndoCommand::redo();
}

void TransDelete::undo()
{
    Q_D(TransDelete);
    if (trans())
        stageCopy(*trans(), d->record);
    QUndoCommand::undo();
}

} // namespace Undo
