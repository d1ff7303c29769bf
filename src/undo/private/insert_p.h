#pragma once

#include "undo/insert.h"

#include <QPointer>

namespace Undo {

class InsertPrivate
{
public:
    QPointer<Table> table;
    Record record;
};

} // namespace Undo
