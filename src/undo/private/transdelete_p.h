#pragma once

#include "undo/private/transcommand_p.h"
#include "undo/transdelete.h"

namespace Undo {

class TransDeletePrivate : public TransCommandPrivate
{
public:
    Record record;
};

} // namespace Undo
