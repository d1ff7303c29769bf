#include "undo/update.h"

#include "core/db/table.h"
#include "core/db/tableupdater.h"
#include "undo/recordwrites.h"

namespace Undo {

Update::Update(Table* table, const Record& before, const Record& after)
    : m_table(table)
    , m_before(before.clone())
    , m_after(after.clone())
{ }

void Update::redo()
{
    if (!m_table)
        return QUndoCommand::redo();
    TableUpdater updater(m_table);
    copyByKey(m_table, m_before, m_after);
    QUndoCommand::redo();
}

void Update::undo()
{
    if (!m_table)
        return QUndoCommand::undo();
    TableUpdater updater(m_table);
    copyByKey(m_table, m_after, m_before);
    QUndoCommand::undo();
}

} // namespace Undo
