#include "undo/transupdate.h"
#include "undo/private/transupdate_p.h"

#include "core/db/table.h"
#include "undo/private/recordwrites.h"
#include "undo/transaction.h"

namespace Undo {

TransUpdate::TransUpdate(const Record& before, const Record& after, Transaction* parent, int firstField, int lastField)
    : TransCommand(*new TransUpdatePrivate, parent)
{
    Q_D(TransUpdate);
    d->before = before.clone();
    d->after = after.clone();
    const Table* table = before.table();
    if (!table)
        return;
    const int from = firstField == -1 ? 0 : firstField;
    const int to = lastField == -1 ? table->columnCount() - 1 : qMin(lastField, table->columnCount() - 1);
    int first = -1;
    int last = -1;
    for (int field = qMax(from, 0); field <= to; ++field) {
        if (before.data(field) != after.data(field)) {
            if (first < 0)
                first = field;
            last = field;
        }
    }
    d->first = qMax(first, 0);
    d->last = qMax(last, 0);
}

void TransUpdate::redo()
{
    Q_D(TransUpdate);
    if (trans())
        stageFields(*trans(), d->before, d->after, d->first, d->last);
    QUndoCommand::redo();
}

void TransUpdate::undo()
{
    Q_D(TransUpdate);
    if (trans())
        stageFields(*trans(), d->after, d->before, d->first, d->last);
    QUndoCommand::undo();
}

} // namespace Undo
