#pragma once

#include "core/db/record.h"
#include "undo/transcommand.h"

namespace Undo {

class Transaction;

// Removes the record with a record's key within its Transaction, and stages the record again on undo. The record
// is kept as its values at construction.
class BASIC_VIEWS_EXPORT TransDelete : public TransCommand
{
public:
    TransDelete(const Record& record, Transaction* parent);

    void redo() override;
    void undo() override;

private:
    Record m_record;
};

} // namespace Undo
