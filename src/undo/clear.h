#pragma once

#include "basic_views_export.h"
#include "core/db/record.h"

#include <QScopedPointer>
#include <QUndoCommand>

class Table;

namespace Undo {

class ClearPrivate;

// Empties a table, and puts every record back on undo. Redo saves a copy of each record, in key order, before
// the table is cleared; undo stages copies of them into one transaction, applied after the children have run,
// and forgets them (the next redo saves the records afresh). A key that is back in the table by then takes the
// saved values. One TableUpdater for the whole command.
class BASIC_VIEWS_EXPORT Clear : public QUndoCommand
{
    Q_DECLARE_PRIVATE(Clear)
public:
    explicit Clear(Table* table);
    ~Clear() override;

    void redo() override;
    void undo() override;

private:
    Q_DISABLE_COPY(Clear)
    QScopedPointer<ClearPrivate> d_ptr;
};

} // namespace Undo
