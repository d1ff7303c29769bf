#include "tableschema.h"

#include "table.h"

Table* TableSchema::create(QObject* parent) const
{
    return new Table(name, columns, keys, parent);
}
