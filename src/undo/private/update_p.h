#pragma once

#include "undo/update.h"

#include <QPointer>

namespace Undo {

class UpdatePrivate
{
public:
    QPointer<Table> table;
    Record before;
    Record after;
};

} // namespace Undo
