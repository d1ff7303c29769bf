#pragma once

#include "core/db/field.h"
#include "core/db/record.h"

class RecordsTrans;

// Stages one record into a transaction: the fields written through it take effect when the transaction is
// applied. A detached record is inserted; an in-table record is updated, or removed once remove() is called.
class BV_DB_EXPORT RecordUpdater
{
    Q_DECLARE_TR_FUNCTIONS(RecordUpdater)
public:
    // `row` is the record's row in the master index when known, else -1; it is only a hint.
    RecordUpdater(const Record& record, RecordsTrans& trans, int row = -1);

    Field data(int column) const { return m_staged.data(column); }
    Field data(const QString& name) const { return m_staged.data(name); }
    // Takes fields first..last (all from first on when last is -1) from `source`.
    void copy(const Record& source, int firstColumn = 0, int lastColumn = -1);
    void remove();

    Record record() const { return m_record; }
    Record staged() const { return m_staged; }

private:
    Record m_record;
    Record m_staged;
    RecordsTrans& m_trans;
};
