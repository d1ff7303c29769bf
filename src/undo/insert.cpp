#include "undo/insert.h"

#include "core/db/table.h"
#include "core/db/tableupdater.h"
#include "undo/recordwrites.h"

namespace Undo {

Insert::Insert(Table* table, const Record& record)
    : m_table(table)
    , m_record(record.clone())
{ }

void Insert::redo()
{
    if (!m_table)
        return QUndoCommand::redo();
    TableUpdater updater(m_table);
    appendCopy(m_table, m_record);
    QUndoCommand::redo();
}

void Insert::undo()
{
    if (!m_table)
        return QUndoCommand::undo();
    TableUpdater updater(m_table);
    removeByKey(m_table, m_record);
    QUndoCommand::undo();
}

} // namespace Undo
