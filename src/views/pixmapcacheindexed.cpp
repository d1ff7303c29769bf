#include "views/pixmapcacheindexed.h"

#include "views/private/pixmapcacheindexed_p.h"

#include <QPixmap>

PixmapCacheIndexed::PixmapCacheIndexed(QObject* parent)
    : QObject(parent)
    , m_d(new PixmapCacheIndexedPrivate)
{ }

PixmapCacheIndexed::~PixmapCacheIndexed()
{
    clear();
}

int PixmapCacheIndexed::count() const
{
    Q_D(const PixmapCacheIndexed);
    return d->cells.size();
}

int PixmapCacheIndexed::rowOffset() const
{
    Q_D(const PixmapCacheIndexed);
    return d->rowOffset;
}

int PixmapCacheIndexed::firstRow() const
{
    Q_D(const PixmapCacheIndexed);
    return d->firstRow;
}

int PixmapCacheIndexed::lastRow() const
{
    Q_D(const PixmapCacheIndexed);
    return d->lastRow;
}

int PixmapCacheIndexed::firstColumn() const
{
    Q_D(const PixmapCacheIndexed);
    return d->firstColumn;
}

int PixmapCacheIndexed::lastColumn() const
{
    Q_D(const PixmapCacheIndexed);
    return d->lastColumn;
}

QPixmap* PixmapCacheIndexed::find(int row, int column) const
{
    Q_D(const PixmapCacheIndexed);
    return d->cells.value(d->keyOf(row, column), nullptr);
}

void PixmapCacheIndexed::insert(int row, int column, QPixmap* pixmap)
{
    Q_D(PixmapCacheIndexed);
    QPixmap*& slot = d->cells[d->keyOf(row, column)];
    if (slot != pixmap)
        delete slot;
    slot = pixmap;
}

void PixmapCacheIndexed::remove(int row, int column)
{
    Q_D(PixmapCacheIndexed);
    delete d->cells.take(d->keyOf(row, column));
}

void PixmapCacheIndexed::removeCells(int firstRow, int lastRow, int firstColumn, int lastColumn)
{
    Q_D(PixmapCacheIndexed);
    // Entries are ordered by row key, then column: one range of the map per row.
    for (auto it = d->cells.lowerBound(d->keyOf(firstRow, INT_MIN));
         it != d->cells.end() && d->actualRow(it.key()) <= lastRow;) {
        if (it.key().second >= firstColumn && it.key().second <= lastColumn) {
            delete it.value();
            it = d->cells.erase(it);
        } else {
            ++it;
        }
    }
}

void PixmapCacheIndexed::removeColumns(int firstColumn, int lastColumn)
{
    Q_D(PixmapCacheIndexed);
    for (auto it = d->cells.begin(); it != d->cells.end();) {
        if (it.key().second >= firstColumn && it.key().second <= lastColumn) {
            delete it.value();
            it = d->cells.erase(it);
        } else {
            ++it;
        }
    }
}

void PixmapCacheIndexed::clear()
{
    Q_D(PixmapCacheIndexed);
    qDeleteAll(d->cells);
    d->cells.clear();
}

void PixmapCacheIndexed::setBounds(int firstRow, int lastRow, int firstColumn, int lastColumn)
{
    Q_D(PixmapCacheIndexed);
    if (firstRow < 0 || lastRow < 0 || firstColumn < 0 || lastColumn < 0)
        return;
    if (firstRow == d->firstRow && lastRow == d->lastRow && firstColumn == d->firstColumn
        && lastColumn == d->lastColumn)
        return;
    d->firstRow = firstRow;
    d->lastRow = lastRow;
    d->firstColumn = firstColumn;
    d->lastColumn = lastColumn;
    for (auto it = d->cells.begin(); it != d->cells.end();) {
        const int row = d->actualRow(it.key());
        const int column = it.key().second;
        if (row < firstRow || row > lastRow || column < firstColumn || column > lastColumn) {
            delete it.value();
            it = d->cells.erase(it);
        } else {
            ++it;
        }
    }
}

void PixmapCacheIndexed::rowsInserted(int first, int last)
{
    Q_D(PixmapCacheIndexed);
    if (first > d->lastRow || last < first)
        return;
    const int count = last - first + 1;
    if (d->cells.isEmpty() || first <= d->actualRow(d->cells.firstKey()))
        d->rowOffset += count; // every cached row lies below the insertion
    else
        shiftRows(first, count);
}

void PixmapCacheIndexed::rowsRemoved(int first, int last)
{
    Q_D(PixmapCacheIndexed);
    if (first > d->lastRow || last < first)
        return;
    removeCells(first, last, INT_MIN, INT_MAX);
    const int count = last - first + 1;
    if (d->cells.isEmpty() || first <= d->actualRow(d->cells.firstKey()))
        d->rowOffset -= count; // every remaining cached row lies below the removal
    else
        shiftRows(last + 1, -count);
}

void PixmapCacheIndexed::dropRowsOutsideBounds()
{
    Q_D(PixmapCacheIndexed);
    // The map is ordered by row: only the dropped entries are visited.
    while (!d->cells.isEmpty() && d->actualRow(d->cells.lastKey()) > d->lastRow) {
        delete d->cells.last();
        d->cells.erase(std::prev(d->cells.end()));
    }
    while (!d->cells.isEmpty() && d->actualRow(d->cells.firstKey()) < d->firstRow) {
        delete d->cells.first();
        d->cells.erase(d->cells.begin());
    }
}

void PixmapCacheIndexed::shiftRows(int from, int delta)
{
    Q_D(PixmapCacheIndexed);
    QMap<PixmapCacheIndexedPrivate::Key, QPixmap*> moved;
    for (auto it = d->cells.lowerBound(d->keyOf(from, INT_MIN)); it != d->cells.end();) {
        moved.insert(qMakePair(it.key().first + delta, it.key().second), it.value());
        it = d->cells.erase(it);
    }
    // The moved keys are all beyond the ones that stayed (rows only move towards each other when the rows in
    // between were removed, and their cells are gone).
    for (auto it = moved.constBegin(); it != moved.constEnd(); ++it)
        d->cells.insert(it.key(), it.value());
}
