#pragma once

#include "basic_views_export.h"
#include "core/db/record.h"

#include <QPointer>
#include <QUndoCommand>

class Table;

namespace Undo {

// Takes a record out of a table, and puts a copy of it back on undo. The record is kept as its values at
// construction; it is found in the table by its primary key. One TableUpdater for the whole command.
class BASIC_VIEWS_EXPORT Delete : public QUndoCommand
{
public:
    Delete(Table* table, const Record& record);

    void redo() override;
    void undo() override;

private:
    QPointer<Table> m_table;
    Record m_record;
};

} // namespace Undo
