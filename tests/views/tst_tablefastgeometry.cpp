#include "views/tablefastgeometry.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QtTest>

namespace {

// Eight columns of different widths; the header is never shown: the geometry only reads its sections.
struct Columns
{
    Columns()
        : model(0, 8)
        , header(Qt::Horizontal)
    {
        header.setModel(&model);
        for (int c = 0; c < 8; ++c)
            header.resizeSection(c, 40 + 10 * c);
        header.resize(400, 20);
    }
    TableFastGeometry geometry(int rows, int value, bool perItem) const
    {
        TableFastGeometry g;
        g.header = &header;
        g.rowHeight = 17;
        g.rowCount = rows;
        g.scrollValue = value;
        g.scrollPerItem = perItem;
        g.viewport = QSize(400, 300);
        return g;
    }
    QStandardItemModel model;
    QHeaderView header;
};

} // namespace

class tst_TableFastGeometry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyPixelLineBelongsToTheRowWhoseBandHoldsIt_data()
    {
        QTest::addColumn<bool>("perItem");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("rows");
        QTest::newRow("per item, at the top") << true << 0 << 100;
        QTest::newRow("per item, in the middle") << true << 37 << 100;
        QTest::newRow("per item, last rows short of the screen") << true << 95 << 100;
        QTest::newRow("per pixel, between rows") << false << 17 * 12 + 9 << 100;
        QTest::newRow("per pixel, on a row's edge") << false << 17 * 12 << 100;
        QTest::newRow("fewer rows than the screen holds") << true << 0 << 5;
    }
    void everyPixelLineBelongsToTheRowWhoseBandHoldsIt()
    {
        QFETCH(bool, perItem);
        QFETCH(int, value);
        QFETCH(int, rows);
        Columns c;
        const TableFastGeometry g = c.geometry(rows, value, perItem);
        // Independently of the geometry's own arithmetic: the row band a line falls in, from the pixels scrolled.
        const int scrolledPixels = perItem ? value * 17 : value;
        int lastSeen = -1;
        for (int y = 0; y < 300; ++y) {
            const int expected = (scrolledPixels + y) / 17;
            const int row = g.rowAt(y);
            QCOMPARE(row, expected < rows ? expected : -1);
            if (row >= 0) {
                QVERIFY(g.rowTop(row) <= y && y < g.rowTop(row) + 17);
                lastSeen = row;
            }
        }
        QCOMPARE(g.lastVisibleRow(), lastSeen);
        QCOMPARE(g.firstVisibleRow(), g.rowAt(0));
    }

    // Against a search over every scroll value: the value closest to the current one that shows the row whole.
    void ensureVisibleMovesTheLeastThatShowsTheRow()
    {
        Columns c;
        for (bool perItem : { true, false }) {
            const int page = 300 / 17;
            const int maximum = perItem ? 200 - page : 200 * 17 - 300;
            for (int value : { 0, 40, maximum }) {
                for (int row : { 0, 39, 40, 40 + page - 1, 40 + page, 120, 199 }) {
                    const TableFastGeometry g = c.geometry(200, value, perItem);
                    int best = -1;
                    for (int v = 0; v <= maximum; ++v) {
                        const int top = perItem ? (row - v) * 17 : row * 17 - v;
                        const bool whole = top >= 0 && top + 17 <= 300;
                        if (whole && (best < 0 || qAbs(v - value) < qAbs(best - value)))
                            best = v;
                    }
                    const int got = g.valueShowing(row, QAbstractItemView::EnsureVisible, value, page, 0);
                    if (got != best)
                        QFAIL(qPrintable(QStringLiteral("%1 scrolling from %2 to row %3: %4, expected %5")
                                             .arg(perItem ? "per item" : "per pixel")
                                             .arg(value)
                                             .arg(row)
                                             .arg(got)
                                             .arg(best)));
                }
            }
        }
    }

    void cellsOfARegionAreTheShownColumnsItCrossesInVisualOrder()
    {
        Columns c;
        c.header.moveSection(c.header.visualIndex(6), 1); // visual order 0 6 1 2 3 4 5 7
        c.header.hideSection(2);
        c.header.setOffset(30); // scrolled right by 30 pixels
        const TableFastGeometry g = c.geometry(100, 10, true);
        const QRect area(55, 20, 120, 30); // rows 11 and 12, from x 55 to 174
        QList<QPair<int, int>> expected;
        for (int row : { 11, 12 }) {
            for (int visual = 0; visual < 8; ++visual) {
                const int column = c.header.logicalIndex(visual);
                const int left = c.header.sectionPosition(column) - 30;
                if (!c.header.isSectionHidden(column) && left <= area.right()
                    && left + c.header.sectionSize(column) > area.left())
                    expected << qMakePair(row, column);
            }
        }
        QCOMPARE(g.cellsIn(QRegion(area)), expected);
        QCOMPARE(g.cellsIn(QRegion(area) + QRegion(area.translated(5, 0))), expected); // each cell once
        QCOMPARE(g.cellAt(QPoint(area.left(), area.top())), expected.first());
        // Visual 3 holds the hidden column 2: the walk goes on to its neighbour in either direction.
        QCOMPARE(g.shownColumn(3, 1), 3);
        QCOMPARE(g.shownColumn(3, -1), 1);
        QCOMPARE(g.cellAt(QPoint(10, 299 + 17 * 100)), qMakePair(-1, -1));
    }
};

QTEST_MAIN(tst_TableFastGeometry)
#include "tst_tablefastgeometry.moc"
