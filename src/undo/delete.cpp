#include "undo/delete.h"

#include "core/db/table.h"
#include "core/db/tableupdater.h"
#include "undo/recordwrites.h"

namespace Undo {

Delete::Delete(Table* table, const Record& record)
    : m_table(table)
    , m_record(record.clone())
{ }

void Delete::redo()
{
    if (!m_table)
        return QUndoCommand::redo();
    TableUpdater updater(m_table);
    removeByKey(m_table, m_record);
    QUndoCommand::redo();
}

void Delete::undo()
{
    if (!m_table)
        return QUndoCommand::undo();
    TableUpdater updater(m_table);
    appendCopy(m_table, m_record);
    QUndoCommand::undo();
}

} // namespace Undo
