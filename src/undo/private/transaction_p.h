#pragma once

#include "undo/transaction.h"

#include <QPointer>

namespace Undo {

class TransactionPrivate
{
public:
    QPointer<Table> table;
};

} // namespace Undo
