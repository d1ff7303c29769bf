#include "core/db/tableupdater.h"

#include "core/db/table.h"

TableUpdater::TableUpdater(Table* table)
    : m_table(table)
{
    m_table->beginChanges();
}

TableUpdater::~TableUpdater()
{
    m_table->endChanges();
}
