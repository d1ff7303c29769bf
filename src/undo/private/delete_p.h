#pragma once

#include "undo/delete.h"

#include <QPointer>

namespace Undo {

class DeletePrivate
{
public:
    QPointer<Table> table;
    Record record;
};

} // namespace Undo
