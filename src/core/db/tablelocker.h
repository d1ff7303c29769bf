#pragma once

#include "core/db/bv_db_export.h"

class Table;

// Held while a table is read outside its change notifications. On the table's own thread, the only one that
// changes it, reading is always consistent and the locker takes nothing; other threads take the read lock.
class BV_DB_EXPORT TableLocker
{
public:
    explicit TableLocker(Table* table);
    ~TableLocker();

private:
    TableLocker(const TableLocker&) = delete;
    TableLocker& operator=(const TableLocker&) = delete;
    Table* m_table; // not owned; null when no lock was taken
};
