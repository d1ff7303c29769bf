#pragma once

#include "basic_views_export.h"
#include "core/db/record.h"

#include <QScopedPointer>
#include <QUndoCommand>

class Table;

namespace Undo {

class InsertPrivate;

// Puts a record into a table, and takes it out again on undo. The record is kept as its values at construction
// (a handle of a table row would follow the row's later changes); each redo appends a new row with them.
// Under one TableUpdater for the whole command, children included: the table's indexes see one change burst.
class BASIC_VIEWS_EXPORT Insert : public QUndoCommand
{
    Q_DECLARE_PRIVATE(Insert)
public:
    Insert(Table* table, const Record& record);
    ~Insert() override;

    void redo() override;
    void undo() override;

private:
    Q_DISABLE_COPY(Insert)
    QScopedPointer<InsertPrivate> d_ptr;
};

} // namespace Undo
