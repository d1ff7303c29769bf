#include "columns/columndelegatedef.h"

#include "columns/itemmodelwithdelegates.h"
#include "core/db/table.h"

ColumnDelegateDef::ColumnDelegateDef(ColumnModelDelegate* delegate)
    : delegate(delegate)
{ }

ColumnDelegateDef::ColumnDelegateDef(const QString& name)
    : firstName(name)
{
    def.name = name;
}

ColumnDelegateDef::ColumnDelegateDef(const Table& table, const QString& fieldName)
    : ColumnDelegateDef(table, table.columnIndex(fieldName))
{
    firstName = fieldName;
}

ColumnDelegateDef::ColumnDelegateDef(const Table& table, int field)
    : def(table.columnDef(field))
    , firstName(table.columnName(field))
    , tableColumn(field)
    , alignment(ItemModelWithDelegates::columnTypeAlignment(def.type))
{
    def.name = table.columnName(field);
    def.title = table.columnTitle(field);
}

ColumnDelegateDef::ColumnDelegateDef(const ColumnDef& def, ColumnModelDelegate* delegate)
    : def(def)
    , firstName(def.name)
    , delegate(delegate)
    , alignment(ItemModelWithDelegates::columnTypeAlignment(def.type))
{ }
