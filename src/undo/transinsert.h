#pragma once

#include "core/db/record.h"
#include "undo/transcommand.h"

namespace Undo {

class Transaction;
class TransInsertPrivate;

// Inserts a record within its Transaction, and removes the record with its key on undo. The record is kept as
// its values at construction; a key already held is left alone.
class BASIC_VIEWS_EXPORT TransInsert : public TransCommand
{
    Q_DECLARE_PRIVATE(TransInsert)
public:
    TransInsert(const Record& record, Transaction* parent);

    void redo() override;
    void undo() override;
};

} // namespace Undo
