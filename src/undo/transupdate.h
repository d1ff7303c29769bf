#pragma once

#include "core/db/record.h"
#include "undo/transcommand.h"

namespace Undo {

class Transaction;
class TransUpdatePrivate;

// Gives the record with the key of `before` the fields of `after` within its Transaction, and those of `before`
// again on undo (found by the key of `after`). Only the span from the first to the last field in which the two
// differ is copied, within firstField..lastField (-1: from the first, to the last field); both ends are 0 when
// they do not differ. Fields outside the span keep what others wrote meanwhile.
class BASIC_VIEWS_EXPORT TransUpdate : public TransCommand
{
    Q_DECLARE_PRIVATE(TransUpdate)
public:
    TransUpdate(
        const Record& before, const Record& after, Transaction* parent, int firstField = -1, int lastField = -1);

    void redo() override;
    void undo() override;
};

} // namespace Undo
