#pragma once

#include "core/db/bv_db_export.h"

class Table;

// Held around every direct change of a table's records. The outermost one takes the table's write lock and,
// once something changed, brackets the changes with the indexes' beginUpdate()/endUpdate().
class BV_DB_EXPORT TableUpdater
{
public:
    explicit TableUpdater(Table* table);
    ~TableUpdater();

private:
    TableUpdater(const TableUpdater&) = delete;
    TableUpdater& operator=(const TableUpdater&) = delete;
    Table* m_table; // not owned
};
