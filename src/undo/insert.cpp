#include "undo/insert.h"

#include "core/db/table.h"
#include "undo/recordwrites.h"

namespace Undo {

Insert::Insert(Table* table, const Record& record)
    : m_table(table)
    , m_record(record.clone())
{ }

void Insert::redo()
{
    runDirect(
        m_table, [this] { appendCopy(m_table, m_record); }, [this] { QUndoCommand::redo(); });
}

void Insert::undo()
{
    runDirect(
        m_table, [this] { removeByKey(m_table, m_record); }, [this] { QUndoCommand::undo(); });
}

} // namespace Undo
