#pragma once

#include "basic_views_export.h"
#include "core/db/record.h"

#include <QScopedPointer>
#include <QUndoCommand>

class Table;

namespace Undo {

class DeletePrivate;

// Takes a record out of a table, and puts a copy of it back on undo. The record is kept as its values at
// construction; it is found in the table by its primary key. One TableUpdater for the whole command.
class BASIC_VIEWS_EXPORT Delete : public QUndoCommand
{
    Q_DECLARE_PRIVATE(Delete)
public:
    Delete(Table* table, const Record& record);
    ~Delete() override;

    void redo() override;
    void undo() override;

private:
    Q_DISABLE_COPY(Delete)
    QScopedPointer<DeletePrivate> d_ptr;
};

} // namespace Undo
