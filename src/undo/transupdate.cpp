#include "undo/transupdate.h"

#include "core/db/table.h"
#include "undo/recordwrites.h"
#include "undo/transaction.h"

namespace Undo {

TransUpdate::TransUpdate(const Record& before, const Record& after, Transaction* parent, int firstField, int lastField)
    : TransCommand(parent)
    , m_before(before.clone())
    , m_after(after.clone())
{
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
    m_first = qMax(first, 0);
    m_last = qMax(last, 0);
}

void TransUpdate::redo()
{
    if (trans())
        stageFields(*trans(), m_before, m_after, m_first, m_last);
    QUndoCommand::redo();
}

void TransUpdate::undo()
{
    if (trans())
        stageFields(*trans(), m_after, m_before, m_first, m_last);
    QUndoCommand::undo();
}

} // namespace Undo
