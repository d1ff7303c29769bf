#include "views/pixmapcacheindexed.h"

#include <QPixmap>
#include <QPointer>
#include <QtTest>

namespace {

// A pixmap whose width names its cell, so that a lookup shows which cell's picture it found.
QPixmap* tagged(int tag)
{
    return new QPixmap(tag, 1);
}

int tagAt(const PixmapCacheIndexed& cache, int row, int column)
{
    const QPixmap* p = cache.find(row, column);
    return p ? p->width() : -1;
}

// Fills rows first..last, columns 0..2, each cell tagged row * 10 + column + 1.
void fill(PixmapCacheIndexed& cache, int first, int last)
{
    for (int row = first; row <= last; ++row) {
        for (int column = 0; column < 3; ++column)
            cache.insert(row, column, tagged(row * 10 + column + 1));
    }
}

} // namespace

class tst_PixmapCacheIndexed : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cellsAreStoredReplacedAndRemoved()
    {
        PixmapCacheIndexed cache;
        QCOMPARE(cache.find(0, 0), nullptr);
        cache.insert(3, 1, tagged(5));
        cache.insert(3, 1, tagged(7)); // the first pixmap is deleted (ASan would report a leak otherwise)
        QCOMPARE(tagAt(cache, 3, 1), 7);
        QCOMPARE(cache.count(), 1);
        fill(cache, 10, 12);
        cache.removeCells(10, 11, 1, 2);
        QCOMPARE(tagAt(cache, 10, 0), 101);
        QCOMPARE(tagAt(cache, 10, 1), -1);
        QCOMPARE(tagAt(cache, 11, 2), -1);
        QCOMPARE(tagAt(cache, 12, 2), 123);
        cache.removeColumns(0, 0);
        QCOMPARE(tagAt(cache, 10, 0), -1);
        QCOMPARE(tagAt(cache, 12, 0), -1);
        QCOMPARE(tagAt(cache, 3, 1), 7);
        cache.remove(3, 1);
        QCOMPARE(tagAt(cache, 3, 1), -1);
        cache.clear();
        QCOMPARE(cache.count(), 0);
    }

    void boundsDropTheCellsOutsideThem()
    {
        PixmapCacheIndexed cache;
        fill(cache, 0, 9);
        cache.setBounds(2, 5, 1, 2);
        QCOMPARE(cache.count(), 4 * 2);
        // Negative bounds (no visible row yet) are ignored.
        cache.setBounds(-1, 5, 0, 2);
        QCOMPARE(cache.firstRow(), 2);
        QCOMPARE(cache.count(), 8);
    }

    void insertionsAboveEveryCachedRowOnlyMoveTheOffset()
    {
        PixmapCacheIndexed cache;
        fill(cache, 100, 102);
        cache.rowsInserted(0, 9);
        QCOMPARE(cache.rowOffset(), 10);
        QCOMPARE(tagAt(cache, 110, 0), 1001);
        QCOMPARE(tagAt(cache, 112, 2), 1023);
        QCOMPARE(tagAt(cache, 100, 0), -1);
        // New cells above the old ones, then an insertion between them: only the lower ones move.
        cache.insert(50, 0, tagged(500));
        cache.rowsInserted(60, 64);
        QCOMPARE(tagAt(cache, 50, 0), 500);
        QCOMPARE(tagAt(cache, 115, 0), 1001);
        QCOMPARE(tagAt(cache, 117, 2), 1023);
        // Insertions below the last bound change nothing.
        cache.setBounds(0, 200, 0, 10);
        cache.rowsInserted(201, 300);
        QCOMPARE(tagAt(cache, 117, 2), 1023);
    }

    // Rows removed above pull cells up past the first bound; they stay until the view trims the buffer.
    void rowsPulledOutOfTheBoundsLeaveTheBuffer()
    {
        PixmapCacheIndexed cache;
        cache.setBounds(5, 9, 0, 2);
        fill(cache, 5, 9);
        cache.rowsRemoved(0, 1);
        QCOMPARE(cache.count(), 5 * 3);
        cache.dropRowsOutsideBounds();
        QVERIFY(cache.find(4, 0) == nullptr);
        QCOMPARE(cache.count(), 3 * 3);
    }

    void removalsKeepEachCellOnItsRecord()
    {
        PixmapCacheIndexed cache;
        fill(cache, 10, 14);
        cache.rowsRemoved(0, 4); // above everything
        QCOMPARE(cache.rowOffset(), -5);
        QCOMPARE(tagAt(cache, 5, 0), 101);
        QCOMPARE(tagAt(cache, 9, 2), 143);
        cache.rowsRemoved(6, 7); // rows of records 11 and 12 go; 13 and 14 move up
        QCOMPARE(tagAt(cache, 5, 1), 102);
        QCOMPARE(tagAt(cache, 6, 0), 131);
        QCOMPARE(tagAt(cache, 7, 2), 143);
        QCOMPARE(tagAt(cache, 8, 0), -1);
        QCOMPARE(cache.count(), 3 * 3);
        cache.rowsRemoved(5, 7);
        QCOMPARE(cache.count(), 0);
    }
};

QTEST_MAIN(tst_PixmapCacheIndexed)
#include "tst_pixmapcacheindexed.moc"
