#include "undo/delete.h"
#include "undo/private/delete_p.h"

#include "core/db/table.h"
#include "undo/private/recordwrites.h"

namespace Undo {

Delete::Delete(Table* table, const Record& record)
    : d_ptr(new DeletePrivate)
{
    Q_D(Delete);
    d->table = table;
    d->record = record.clone();
}

Delete::~Delete() = default;

void Delete::redo()
{
    Q_D(Delete);
    runDirect(
        d->table, [d] { removeByKey(d->table, d->record); }, [this] { QUndoCommand::redo(); });
}

void Delete::undo()
{
    Q_D(Delete);
    runDirect(
        d->table, [d] { appendCopy(d->table, d->record); }, [this] { QUndoCommand::undo(); });
}

} // namespace Undo
