#include "undo/update.h"

#include "core/db/table.h"
#include "undo/recordwrites.h"

namespace Undo {

Update::Update(Table* table, const Record& before, const Record& after)
    : m_table(table)
    , m_before(before.clone())
    , m_after(after.clone())
{ }

void Update::redo()
{
    runDirect(
        m_table, [this] { copyByKey(m_table, m_before, m_after); }, [this] { QUndoCommand::redo(); });
}

void Update::undo()
{
    runDirect(
        m_table, [this] { copyByKey(m_table, m_after, m_before); }, [this] { QUndoCommand::undo(); });
}

} // namespace Undo
