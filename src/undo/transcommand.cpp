#include "undo/transcommand.h"

namespace Undo {

TransCommand::TransCommand(QUndoCommand* parent)
    : QUndoCommand(parent)
{ }

} // namespace Undo
