#include "undo/transcommand.h"
#include "undo/private/transcommand_p.h"

namespace Undo {

TransCommand::TransCommand(QUndoCommand* parent)
    : TransCommand(*new TransCommandPrivate, parent)
{ }

TransCommand::TransCommand(TransCommandPrivate& dd, QUndoCommand* parent)
    : QUndoCommand(parent)
    , d_ptr(&dd)
{ }

TransCommand::~TransCommand() = default;

RecordsTrans* TransCommand::trans() const
{
    Q_D(const TransCommand);
    return d->trans;
}

void TransCommand::setTrans(RecordsTrans* trans)
{
    Q_D(TransCommand);
    d->trans = trans;
}

} // namespace Undo
