#include "undo/transinsert.h"

#include "undo/recordwrites.h"
#include "undo/transaction.h"

namespace Undo {

TransInsert::TransInsert(const Record& record, Transaction* parent)
    : TransCommand(parent)
    , m_record(record.clone())
{ }

void TransInsert::redo()
{
    if (trans())
        stageCopy(*trans(), m_record);
    QUndoCommand::redo();
}

void TransInsert::undo()
{
    if (trans())
        stageRemoval(*trans(), m_record);
    QUndoCommand::undo();
}

} // namespace Undo
