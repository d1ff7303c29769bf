#include "undo/transaction.h"
#include "undo/private/transaction_p.h"

#include "core/db/recordstrans.h"
#include "core/db/table.h"
#include "core/db/tableupdater.h"
#include "undo/transcommand.h"

namespace Undo {

Transaction::Transaction(Table* table)
    : d_ptr(new TransactionPrivate)
{
    Q_D(Transaction);
    d->table = table;
}

Transaction::~Transaction() = default;

void Transaction::prepareTrans(RecordsTrans* trans)
{
    for (int i = 0; i < childCount(); ++i) {
        if (auto* command = dynamic_cast<TransCommand*>(const_cast<QUndoCommand*>(child(i))))
            command->setTrans(trans);
    }
}

template<typename Run>
void Transaction::runChildren(Run run)
{
    Q_D(Transaction);
    if (!d->table)
        return run();
    TableUpdater updater(d->table);
    {
        RecordsTrans trans(d->table); // applies every staged write when it ends
        prepareTrans(&trans);
        run();
    }
    // The children must not keep a transaction that is gone.
    prepareTrans(nullptr);
}

void Transaction::redo()
{
    runChildren([this] { QUndoCommand::redo(); });
}

void Transaction::undo()
{
    runChildren([this] { QUndoCommand::undo(); });
}

} // namespace Undo
