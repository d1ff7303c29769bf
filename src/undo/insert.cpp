#include "undo/insert.h"
#include "undo/private/insert_p.h"

#include "core/db/table.h"
#include "undo/private/recordwrites.h"

namespace Undo {

Insert::Insert(Table* table, const Record& record)
    : d_ptr(new InsertPrivate)
{
    Q_D(Insert);
    d->table = table;
    d->record = record.clone();
}

Insert::~Insert() = default;

void Insert::redo()
{
    Q_D(Insert);
    runDirect(
        d->table, [d] { appendCopy(d->table, d->record); }, [this] { QUndoCommand::redo(); });
}

void Insert::undo()
{
    Q_D(Insert);
    runDirect(
        d->table, [d] { removeByKey(d->table, d->record); }, [this] { QUndoCommand::undo(); });
}

} // namespace Undo
