#pragma once

#include "core/db/record.h"
#include "undo/transcommand.h"

namespace Undo {

class Transaction;
class TransDeletePrivate;

// Removes the record with a record's key within its Transaction, and stages the record again on undo. The record
// is kept as its values at construction.
class BASIC_VIEWS_EXPORT TransDelete : public TransCommand
{
    Q_DECLARE_PRIVATE(TransDelete)
public:
    TransDelete(const Record& record, Transaction* parent);

    void redo() override;
    void undo() override;
};

} // namespace Undo
