#pragma once

#include "undo/clear.h"

#include <QList>
#include <QPointer>

namespace Undo {

class ClearPrivate
{
public:
    QPointer<Table> table;
    QList<Record> saved; // between a redo and the next undo
};

} // namespace Undo
