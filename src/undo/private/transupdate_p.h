#pragma once

#include "undo/private/transcommand_p.h"
#include "undo/transupdate.h"

namespace Undo {

class TransUpdatePrivate : public TransCommandPrivate
{
public:
    Record before;
    Record after;
    int first = 0;
    int last = 0;
};

} // namespace Undo
