#include "views/rowplacekeeper.h"

#include <QtTest>

// A view of 100 rows showing 20, scrolled per item (a value is a row): where it goes when 5 rows arrive.
class tst_RowPlaceKeeper : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theViewKeepsWhatTheTraderReads_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("insertAt");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<int>("expected");
        // Maximum before: 80; after 5 more rows: 85.
        QTest::newRow("at the top: stays, the newcomers show") << 0 << 0 << true << 0;
        QTest::newRow("at the bottom: follows the new bottom") << 80 << 100 << false << 85;
        QTest::newRow("in the middle, rows above: the same records stay") << 40 << 10 << false << 45;
        QTest::newRow("in the middle, rows at the first shown row") << 40 << 40 << false << 45;
        QTest::newRow("in the middle, rows below: nothing moves") << 40 << 41 << false << 40;
    }
    void theViewKeepsWhatTheTraderReads()
    {
        QFETCH(int, value);
        QFETCH(int, insertAt);
        QFETCH(bool, descending);
        QFETCH(int, expected);
        RowPlaceKeeper keeper;
        RowPlaceKeeper::Before before;
        before.rowCount = 100;
        before.firstVisibleRow = value;
        before.value = value;
        before.maximum = 80;
        before.descending = descending;
        keeper.aboutToInsert(before);
        QCOMPARE(keeper.valueAfterInsert(insertAt, value, value, 5, 85), expected);
    }

    // A table that fits on one screen is both at its top and bottom; the sort order says where news arrive.
    void anUnscrolledViewFollowsTheEndWhereRecordsArrive()
    {
        for (bool descending : { true, false }) {
            RowPlaceKeeper keeper;
            RowPlaceKeeper::Before before;
            before.rowCount = 10;
            before.descending = descending;
            keeper.aboutToInsert(before); // value = minimum = maximum = 0
            QCOMPARE(keeper.valueAfterInsert(descending ? 0 : 10, 0, 0, 5, 3), descending ? 0 : 3);
        }
    }

    void aCurrentRowOnAnEndStaysOnThatEndInItsColumn()
    {
        RowPlaceKeeper keeper;
        RowPlaceKeeper::Before before;
        before.rowCount = 50;
        before.currentRow = 0;
        before.currentColumn = 3;
        keeper.aboutToInsert(before);
        QCOMPARE(keeper.currentRowAfterInsert(0, 4, 55), 0);
        QCOMPARE(keeper.currentColumn(), 3);
        QCOMPARE(keeper.currentRowAfterInsert(50, 54, 55), -1); // rows at the other end: it follows its record

        before.currentRow = 49;
        keeper.aboutToInsert(before);
        QCOMPARE(keeper.currentRowAfterInsert(50, 54, 55), 54);
        QCOMPARE(keeper.currentRowAfterInsert(0, 4, 55), -1);

        // A single row is both first and last: the sort order decides, unless the user pressed Home or End.
        before.rowCount = 1;
        before.currentRow = 0;
        before.descending = true;
        keeper.aboutToInsert(before);
        QCOMPARE(keeper.currentRowAfterInsert(1, 1, 2), -1);
        keeper.anchorCurrentLast();
        QCOMPARE(keeper.currentRowAfterInsert(1, 1, 2), 1);
    }

    void removalsAboveTheScreenKeepItsRowsInPlace()
    {
        QCOMPARE(RowPlaceKeeper::valueAfterRemove(9, 40, 40, 10), 30);
        QCOMPARE(RowPlaceKeeper::valueAfterRemove(40, 40, 40, 1), -1); // the first shown row itself
    }
};

QTEST_MAIN(tst_RowPlaceKeeper)
#include "tst_rowplacekeeper.moc"
