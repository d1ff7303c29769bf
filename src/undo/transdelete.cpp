#include "undo/transdelete.h"

#include "undo/recordwrites.h"
#include "undo/transaction.h"

namespace Undo {

TransDelete::TransDelete(const Record& record, Transaction* parent)
    : TransCommand(parent)
    , m_record(record.clone())
{ }

void TransDelete::redo()
{
    if (trans())
        stageRemoval(*trans(), m_record);
    QUndoCommand::redo();
}

void TransDelete::undo()
{
    if (trans())
        stageCopy(*trans(), m_record);
    QUndoCommand::undo();
}

} // namespace Undo
