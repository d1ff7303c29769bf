#include "core/db/tablelocker.h"

#include "core/db/table.h"

#include <QThread>

TableLocker::TableLocker(Table* table)
    : m_table(table && QThread::currentThread() != table->thread() ? table : nullptr)
{
    if (m_table)
        m_table->m_lock.lock_shared();
}

TableLocker::~TableLocker()
{
    if (m_table)
        m_table->m_lock.unlock_shared();
}
