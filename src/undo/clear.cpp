#include "undo/clear.h"

#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/db/table.h"
#include "core/db/tableupdater.h"
#include "undo/recordwrites.h"

namespace Undo {

Clear::Clear(Table* table)
    : m_table(table)
{ }

void Clear::redo()
{
    runDirect(
        m_table,
        [this] {
            for (const Record& r : *m_table->masterIndex())
                m_saved.append(r.clone());
            m_table->clear();
        },
        [this] { QUndoCommand::redo(); });
}

void Clear::undo()
{
    if (!m_table)
        return QUndoCommand::undo();
    TableUpdater updater(m_table);
    RecordsTrans trans(m_table); // applied when it ends, after the children
    for (const Record& r : qAsConst(m_saved))
        RecordUpdater(r.clone(), trans, -1);
    m_saved.clear();
    QUndoCommand::undo();
}

} // namespace Undo
