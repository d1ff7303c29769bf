#include "views/private/rowplacekeeper.h"

#include <QtTest>

// Where a view scrolled per item (a value is a row) goes when rows arrive; the view tests cover the rest on screen.
class tst_RowPlaceKeeper : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rowsBelowTheScreenMoveNothing()
    {
        RowPlaceKeeper keeper;
        RowPlaceKeeper::Before before;
        before.rowCount = 100;
        before.firstVisibleRow = 40;
        before.value = 40;
        before.maximum = 80;
        keeper.aboutToInsert(before);
        QCOMPARE(keeper.valueAfterInsert(41, 40, 40, 5, 85), 40);
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
};

QTEST_MAIN(tst_RowPlaceKeeper)
#include "tst_rowplacekeeper.moc"
