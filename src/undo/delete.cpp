#include "undo/delete.h"

#include "core/db/table.h"
#include "undo/recordwrites.h"

namespace Undo {

Delete::Delete(Table* table, const Record& record)
    : m_table(table)
    , m_record(record.clone())
{ }

void Delete::redo()
{
    runDirect(
        m_table, [this] { removeByKey(m_table, m_record); }, [this] { QUndoCommand::redo(); });
}

void Delete::undo()
{
    runDirect(
        m_table, [this] { appendCopy(m_table, m_record); }, [this] { QUndoCommand::undo(); });
}

} // namespace Undo
