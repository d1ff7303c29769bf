#pragma once

#include "basic_views_export.h"
#include "core/db/record.h"

#include <QPointer>
#include <QUndoCommand>

class Table;

namespace Undo {

// Gives a table's record the values of `after`, and those of `before` again on undo: redo finds the row by the
// key of `before`, undo by the key of `after`, and every field is copied. Both records are kept as their values
// at construction. One TableUpdater for the whole command.
class BASIC_VIEWS_EXPORT Update : public QUndoCommand
{
public:
    Update(Table* table, const Record& before, const Record& after);

    void redo() override;
    void undo() override;

private:
    QPointer<Table> m_table;
    Record m_before;
    Record m_after;
};

} // namespace Undo
