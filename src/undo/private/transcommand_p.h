#pragma once

#include "undo/transcommand.h"

namespace Undo {

class TransCommandPrivate
{
public:
    virtual ~TransCommandPrivate() = default;

    RecordsTrans* trans = nullptr; // not owned
};

} // namespace Undo
