#pragma once

#include "basic_views_export.h"
#include "core/db/columndef.h"

#include <Qt>

class ColumnModelDelegate;
class Table;

// One column of a model: its definition, the name it was first defined with, the delegate that shows it (or
// none), the table field it shows (-1 for a computed column) and its alignment.
class BASIC_VIEWS_EXPORT ColumnDelegateDef
{
public:
    ColumnDelegateDef() = default;
    explicit ColumnDelegateDef(ColumnModelDelegate* delegate);
    explicit ColumnDelegateDef(const QString& name);
    ColumnDelegateDef(const Table& table, const QString& fieldName);
    ColumnDelegateDef(const Table& table, int field);
    ColumnDelegateDef(const ColumnDef& def, ColumnModelDelegate* delegate);

    ColumnDef def;
    QString firstName;
    ColumnModelDelegate* delegate = nullptr; // not owned
    int tableColumn = -1;
    Qt::Alignment alignment;
};
