#include "core/host/schema/tableschema.h"

#include "core/db/table.h"

Table* TableSchema::create(QObject* parent) const
{
    return new Table(name, columns, keys, parent);
}
