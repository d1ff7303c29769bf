#include "views/private/rowplacekeeper.h"

void RowPlaceKeeper::aboutToInsert(const Before& before)
{
    const bool current = before.currentRow >= 0;
    m_currentWasFirst = current ? before.currentRow == 0 : before.rowCount == 0;
    m_currentWasLast = current && before.currentRow == before.rowCount - 1;
    m_currentColumn = current ? before.currentColumn : 0;
    m_wasAtMinimum = before.value == before.minimum;
    m_wasAtMaximum = before.value == before.maximum;
    // A single row is both first and last, an unscrolled view both at its top and bottom: the end where new
    // records arrive (the top in a descending sort) is the one kept.
    if (m_currentWasFirst && m_currentWasLast) {
        m_currentWasFirst = before.descending;
        m_currentWasLast = !before.descending;
    }
    if (m_wasAtMinimum && m_wasAtMaximum) {
        m_wasAtMinimum = before.descending;
        m_wasAtMaximum = !before.descending;
    }
}

int RowPlaceKeeper::valueAfterInsert(int first, int firstShown, int value, int rowsValue, int maximum) const
{
    if (m_wasAtMaximum && !m_wasAtMinimum)
        return maximum;
    if (!m_wasAtMinimum && !m_wasAtMaximum && firstShown >= first)
        return value + rowsValue;
    return value;
}

int RowPlaceKeeper::currentRowAfterInsert(int first, int last, int rowCount) const
{
    if (m_currentWasFirst && first == 0)
        return 0;
    if (m_currentWasLast && last == rowCount - 1)
        return rowCount - 1;
    return -1;
}

int RowPlaceKeeper::valueAfterRemove(int last, int firstShown, int value, int rowsValue)
{
    return last < firstShown ? value - rowsValue : -1;
}

void RowPlaceKeeper::anchorCurrentFirst()
{
    m_currentWasFirst = true;
    m_currentWasLast = false;
}

void RowPlaceKeeper::anchorCurrentLast()
{
    m_currentWasLast = true;
    m_currentWasFirst = false;
}
