#pragma once

#include "basic_views_export.h"
#include "core/db/record.h"

#include <QScopedPointer>
#include <QUndoCommand>

class Table;

namespace Undo {

class UpdatePrivate;

// Gives a table's record the values of `after`, and those of `before` again on undo: redo finds the row by the
// key of `before`, undo by the key of `after`, and every field is copied. Both records are kept as their values
// at construction. One TableUpdater for the whole command.
class BASIC_VIEWS_EXPORT Update : public QUndoCommand
{
    Q_DECLARE_PRIVATE(Update)
public:
    Update(Table* table, const Record& before, const Record& after);
    ~Update() override;

    void redo() override;
    void undo() override;

private:
    Q_DISABLE_COPY(Update)
    QScopedPointer<UpdatePrivate> d_ptr;
};

} // namespace Undo
