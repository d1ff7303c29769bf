#include "undo/update.h"
#include "undo/private/update_p.h"

#include "core/db/table.h"
#include "undo/private/recordwrites.h"

namespace Undo {

Update::Update(Table* table, const Record& before, const Record& after)
    : d_ptr(new UpdatePrivate)
{
    Q_D(Update);
    d->table = table;
    d->before = before.clone();
    d->after = after.clone();
}

Update::~Update() = default;

void Update::redo()
{
    Q_D(Update);
    runDirect(
        d->table, [d] { copyByKey(d->table, d->before, d->after); }, [this] { QUndoCommand::redo(); });
}

void Update::undo()
{
    Q_D(Update);
    runDirect(
        d->table, [d] { copyByKey(d->table, d->after, d->before); }, [this] { QUndoCommand::undo(); });
}

} // namespace Undo
