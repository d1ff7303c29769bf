#include "undo/clear.h"
#include "undo/private/clear_p.h"

#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/db/table.h"
#include "core/db/tableupdater.h"
#include "undo/private/recordwrites.h"

namespace Undo {

Clear::Clear(Table* table)
    : d_ptr(new ClearPrivate)
{
    Q_D(Clear);
    d->table = table;
}

Clear::~Clear() = default;

void Clear::redo()
{
    Q_D(Clear);
    runDirect(
        d->table,
        [d] {
            for (const Record& r : *d->table->masterIndex())
                d->saved.append(r.clone());
            d->table->clear();
        },
        [this] { QUndoCommand::redo(); });
}

void Clear::undo()
{
    Q_D(Clear);
    if (!d->table)
        return QUndoCommand::undo();
    TableUpdater updater(d->table);
    RecordsTrans trans(d->table); // applied when it ends, after the children
    for (const Record& r : qAsConst(d->saved))
        RecordUpdater(r.clone(), trans, -1);
    d->saved.clear();
    QUndoCommand::undo();
}

} // namespace Undo
