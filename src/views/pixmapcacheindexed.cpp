#include "views/pixmapcacheindexed.h"

#include <QPixmap>

PixmapCacheIndexed::PixmapCacheIndexed(QObject* parent)
    : QObject(parent)
{ }

PixmapCacheIndexed::~PixmapCacheIndexed()
{
    clear();
}

QPixmap* PixmapCacheIndexed::find(int row, int column) const
{
    return m_cells.value(keyOf(row, column), nullptr);
}

void PixmapCacheIndexed::insert(int row, int column, QPixmap* pixmap)
{
    QPixmap*& slot = m_cells[keyOf(row, column)];
    if (slot != pixmap)
        delete slot;
    slot = pixmap;
}

void PixmapCacheIndexed::remove(int row, int column)
{
    delete m_cells.take(keyOf(row, column));
}

void PixmapCacheIndexed::removeCells(int firstRow, int lastRow, int firstColumn, int lastColumn)
{
    // Entries are ordered by row key, then column: one range of the map per row.
    for (auto it = m_cells.lowerBound(keyOf(firstRow, INT_MIN));
         it != m_cells.end() && actualRow(it.key()) <= lastRow;) {
        if (it.key().second >= firstColumn && it.key().second <= lastColumn) {
            delete it.value();
            it = m_cells.erase(it);
        } else {
            ++it;
        }
    }
}

void PixmapCacheIndexed::removeColumns(int firstColumn, int lastColumn)
{
    for (auto it = m_cells.begin(); it != m_cells.end();) {
        if (it.key().second >= firstColumn && it.key().second <= lastColumn) {
            delete it.value();
            it = m_cells.erase(it);
        } else {
            ++it;
        }
    }
}

void PixmapCacheIndexed::clear()
{
    qDeleteAll(m_cells);
    m_cells.clear();
}

void PixmapCacheIndexed::setBounds(int firstRow, int lastRow, int firstColumn, int lastColumn)
{
    if (firstRow < 0 || lastRow < 0 || firstColumn < 0 || lastColumn < 0)
        return;
    if (firstRow == m_firstRow && lastRow == m_lastRow && firstColumn == m_firstColumn && lastColumn == m_lastColumn)
        return;
    m_firstRow = firstRow;
    m_lastRow = lastRow;
    m_firstColumn = firstColumn;
    m_lastColumn = lastColumn;
    for (auto it = m_cells.begin(); it != m_cells.end();) {
        const int row = actualRow(it.key());
        const int column = it.key().second;
        if (row < firstRow || row > lastRow || column < firstColumn || column > lastColumn) {
            delete it.value();
            it = m_cells.erase(it);
        } else {
            ++it;
        }
    }
}

void PixmapCacheIndexed::rowsInserted(int first, int last)
{
    if (first > m_lastRow || last < first)
        return;
    const int count = last - first + 1;
    if (m_cells.isEmpty() || first <= actualRow(m_cells.firstKey()))
        m_rowOffset += count; // every cached row lies below the insertion
    else
        shiftRows(first, count);
}

void PixmapCacheIndexed::rowsRemoved(int first, int last)
{
    if (first > m_lastRow || last < first)
        return;
    removeCells(first, last, INT_MIN, INT_MAX);
    const int count = last - first + 1;
    if (m_cells.isEmpty() || first <= actualRow(m_cells.firstKey()))
        m_rowOffset -= count; // every remaining cached row lies below the removal
    else
        shiftRows(last + 1, -count);
}

void PixmapCacheIndexed::dropRowsOutsideBounds()
{
    // The map is ordered by row: only the dropped entries are visited.
    while (!m_cells.isEmpty() && actualRow(m_cells.lastKey()) > m_lastRow) {
        delete m_cells.last();
        m_cells.erase(std::prev(m_cells.end()));
    }
    while (!m_cells.isEmpty() && actualRow(m_cells.firstKey()) < m_firstRow) {
        delete m_cells.first();
        m_cells.erase(m_cells.begin());
    }
}

void PixmapCacheIndexed::shiftRows(int from, int delta)
{
    QMap<Key, QPixmap*> moved;
    for (auto it = m_cells.lowerBound(keyOf(from, INT_MIN)); it != m_cells.end();) {
        moved.insert(qMakePair(it.key().first + delta, it.key().second), it.value());
        it = m_cells.erase(it);
    }
    // The moved keys are all beyond the ones that stayed (rows only move towards each other when the rows in
    // between were removed, and their cells are gone).
    for (auto it = moved.constBegin(); it != moved.constEnd(); ++it)
        m_cells.insert(it.key(), it.value());
}
