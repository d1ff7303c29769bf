#pragma once

#include "undo/private/transcommand_p.h"
#include "undo/transinsert.h"

namespace Undo {

class TransInsertPrivate : public TransCommandPrivate
{
public:
    Record record;
};

} // namespace Undo
