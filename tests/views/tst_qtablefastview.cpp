#include "columns/itemroles.h"
#include "delegates/itemdelegatebuysell.h"
#include "delegates/itemdelegateupdown.h"
#include "livetable.h"
#include "loggedcategories.h"
#include "models/tableindexmodel.h"
#include "onscreen.h"
#include "paintedarea.h"
#include "views/pixmapcacheindexed.h"
#include "views/qtablefastview.h"
#include "views/qtreefastview.h"
#include "views/repaintpacer.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QPointer>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QtTest>

#include <memory>

namespace {

// Counts the cells it paints, to tell cells drawn by the delegate from cells taken from the paint buffer.
class CountingDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    mutable int paints = 0;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        ++paints;
        QStyledItemDelegate::paint(painter, option, index);
    }
};

// A price that rose at a moment later than any wall clock of the test, so that only the test moves its flash.
struct RisingPrice
{
    RisingPrice()
        : model(6, 2)
    {
        for (int row = 0; row < 6; ++row) {
            model.setData(model.index(row, 0), QStringLiteral("SiH7-%1").arg(row));
            model.setData(model.index(row, 1), 91500 + row);
        }
        model.setData(model.index(2, 1), QVariant::fromValue(changed), ChangeTimeRole);
        model.setData(model.index(2, 1), 1, ChangeDirectionRole);
    }
    // Shows the prices in `view`, flashing as `msecs` after the change, in the instruments' colours.
    ItemDelegateUpDown* showIn(QAbstractItemView& view, qint64 msecs)
    {
        auto* flash = new ItemDelegateUpDown(ViewsColorManager::Securities, &view);
        flash->setBacklight(true);
        flash->updateDateTime(changed.addMSecs(msecs));
        view.setItemDelegateForColumn(1, flash);
        view.setModel(&model);
        view.resize(300, 200);
        view.show();
        if (!QTest::qWaitForWindowExposed(&view))
            qWarning("the view was not exposed");
        view.selectionModel()->clear(); // no current row from the focus
        return flash;
    }

    const datetime changed = datetime::fromQDateTime(QDateTime(QDate(2100, 12, 7), QTime(12, 0)));
    QStandardItemModel model;
};

// The library's fast views of one kind: "table" (its paint buffer on) or "tree".
std::unique_ptr<QAbstractItemView> fastView(const QString& kind)
{
    if (kind == QLatin1String("tree"))
        return std::make_unique<QTreeFastView>();
    auto table = std::make_unique<QTableFastView>();
    table->setPaintBufferEnabled(true);
    return table;
}

void addFastViewKinds()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("table") << QStringLiteral("table");
    QTest::newRow("tree") << QStringLiteral("tree");
}

// The table view as a host deriving from it has it, with the moves by key of its own.
class HostTableView : public QTableFastView
{
public:
    using QTableFastView::moveCurrentIndex;
};

// The view in its window, over a live orders table sorted by order number.
struct Fixture
{
    explicit Fixture(int rows, Qt::SortOrder order)
    {
        for (int key = 1; key <= rows; ++key)
            live.insert(key, QString::number(100 + key % 7));
        model = std::make_unique<TableIndexModel>(live.table);
        new QAbstractItemModelTester(model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal, model.get());
        model->setSort(0, order);
        QCoreApplication::processEvents(); // the table builds the model
        view.setItemDelegate(&delegate);
        // The pictures are of the cells: neither the view nor its reference takes the focus, which frames the
        // current row.
        view.setFocusPolicy(Qt::NoFocus);
        // Every change painted at once: the tests of pacing set their own interval.
        view.repaintPacer()->setInterval(0);
        view.setModel(model.get());
        view.header()->setSortIndicator(0, order);
        view.resize(600, 300);
        view.show();
        if (!QTest::qWaitForWindowExposed(&view))
            qWarning("the view was not exposed");
        // No current row unless a test picks one (focus gave the view one on showing).
        view.selectionModel()->clear();
    }
    qint64 keyAt(int row) const { return model->at(row).data(0).toInteger64(); }
    // Paints now and starts a frame interval so long that only the test ends it.
    RepaintPacer* holdFrames()
    {
        RepaintPacer* pacer = view.repaintPacer();
        pacer->setInterval(HourMs);
        view.viewport()->repaint();
        return pacer;
    }
    static constexpr int HourMs = 60 * 60 * 1000;
    // The order number shown in the first visible row.
    qint64 topKey() const
    {
        const QModelIndex top = view.indexAt(QPoint(5, 1));
        return top.isValid() ? keyAt(top.row()) : -1;
    }
    QImage shot() { return view.viewport()->grab().toImage(); }
    // What a fresh view without a paint buffer shows in the same place: the reference picture.
    QImage reference()
    {
        QTableFastView plain;
        QStyledItemDelegate plainDelegate;
        plain.setItemDelegate(&plainDelegate);
        plain.setFocusPolicy(Qt::NoFocus);
        plain.setModel(model.get());
        plain.setVerticalScrollMode(view.verticalScrollMode());
        plain.setSelectionMode(view.selectionMode());
        plain.setPalette(view.palette());
        plain.setFont(view.font());
        plain.resize(view.size());
        for (int column = 0; column < view.header()->count(); ++column)
            plain.header()->resizeSection(column, view.header()->sectionSize(column));
        plain.show();
        if (!QTest::qWaitForWindowExposed(&plain))
            qWarning("the reference view was not exposed");
        plain.setAutoScroll(false); // the current cell is copied, not scrolled to
        plain.selectionModel()->select(view.selectionModel()->selection(), QItemSelectionModel::ClearAndSelect);
        plain.selectionModel()->setCurrentIndex(view.currentIndex(), QItemSelectionModel::NoUpdate);
        plain.verticalScrollBar()->setValue(view.verticalScrollBar()->value());
        plain.horizontalScrollBar()->setValue(view.horizontalScrollBar()->value());
        return plain.viewport()->grab().toImage();
    }

    // What the window showed before any reference window came up (showing one may repaint the view whole).
    bool showedTheModel(const QImage& screen, const char* name)
    {
        return samePicture(screen, reference().convertToFormat(QImage::Format_RGB32), name);
    }

    // Both what the view paints afresh and what the window shows after its incremental updates equal the
    // reference picture.
    bool showsTheModel(const char* name)
    {
        const QImage expected = reference();
        return samePicture(shot(), expected, name)
            && samePicture(onScreen(view), expected.convertToFormat(QImage::Format_RGB32),
                (QByteArray(name) + "-on-screen").constData());
    }

    LiveTable live;
    std::unique_ptr<TableIndexModel> model;
    CountingDelegate delegate;
    HostTableView view;
};

} // namespace

class tst_QTableFastView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qRegisterMetaType<QHeaderView*>(); }

    void emptyModelPaintsNothing()
    {
        QVERIFY(QTableFastView().isCurrentLast()); // no model: nothing below
        Fixture f(0, Qt::AscendingOrder);
        const QImage image = f.shot();
        const QColor base = f.view.viewport()->palette().color(QPalette::Base);
        for (int y = 0; y < image.height(); y += 7) {
            for (int x = 0; x < image.width(); x += 7)
                QCOMPARE(image.pixelColor(x, y), base);
        }
        QCOMPARE(f.delegate.paints, 0);
        f.view.verticalScrollBar()->setValue(5);
        QCOMPARE(f.view.verticalScrollBar()->value(), 0);
    }

    void paintsRowsInPlaceWithHitTesting()
    {
        Fixture f(100, Qt::AscendingOrder);
        const int h = f.view.rowHeight();
        QCOMPARE(f.topKey(), 1);
        QCOMPARE(f.view.indexAt(QPoint(5, 3 * h + 1)).row(), 3);
        const QRect cell = f.view.visualRect(f.model->index(3, 1));
        QCOMPARE(cell.top(), 3 * h);
        QCOMPARE(cell.height(), h);
        QCOMPARE(cell.left(), f.view.header()->sectionViewportPosition(1));
        // The page holds whole rows; the range ends where the last page starts.
        QCOMPARE(f.view.verticalScrollBar()->maximum(), 100 - f.view.viewport()->height() / h);
        f.view.scrollTo(f.model->index(60, 0), QAbstractItemView::PositionAtTop);
        QCOMPARE(f.topKey(), 61);
        f.view.scrollTo(f.model->index(10, 0)); // above: becomes the first row
        QCOMPARE(f.topKey(), 11);
        const int page = f.view.viewport()->height() / h;
        f.view.scrollTo(f.model->index(10 + page + 5, 0)); // below: becomes the last whole row
        QCOMPARE(f.view.indexAt(QPoint(5, (page - 1) * h + 1)).row(), 10 + page + 5);
        QVERIFY(f.showsTheModel(QTest::currentTestFunction()));
    }

    void viewAtTheBottomStaysThereWhileRowsAreAppended()
    {
        Fixture f(200, Qt::AscendingOrder);
        QScrollBar* bar = f.view.verticalScrollBar();
        bar->setValue(bar->maximum());
        QCoreApplication::processEvents();
        PaintedArea painted;
        f.view.viewport()->installEventFilter(&painted);
        f.live.insert(201, QStringLiteral("100"));
        QCoreApplication::processEvents();
        // The rows on screen moved up by one; only the new last row was painted.
        QCOMPARE(painted.area, qint64(f.view.viewport()->width()) * f.view.rowHeight());
        f.view.viewport()->removeEventFilter(&painted);
        for (int key = 202; key <= 260; ++key)
            f.live.stageInsert(key, QStringLiteral("101"));
        f.live.commit();
        QCOMPARE(bar->value(), bar->maximum());
        const int lastRowY = (f.view.viewport()->height() / f.view.rowHeight() - 1) * f.view.rowHeight() + 1;
        QCOMPARE(f.keyAt(f.view.indexAt(QPoint(5, lastRowY)).row()), 260);
        QVERIFY(f.showsTheModel(QTest::currentTestFunction()));
    }

    void viewInTheMiddleKeepsItsRecordsWhenRowsArriveAbove()
    {
        Fixture f(200, Qt::DescendingOrder); // new orders come in at the top
        f.view.verticalScrollBar()->setValue(50);
        const qint64 top = f.topKey();
        QCOMPARE(top, 150);
        QCoreApplication::processEvents();
        PaintedArea above;
        f.view.viewport()->installEventFilter(&above);
        for (int key = 201; key <= 230; ++key)
            f.live.stageInsert(key, QStringLiteral("100"));
        f.live.commit();
        f.live.insert(231, QStringLiteral("100"));
        QCoreApplication::processEvents();
        QCOMPARE(f.topKey(), top);
        QCOMPARE(f.view.verticalScrollBar()->value(), 81);
        QCOMPARE(above.area, qint64(0)); // nothing on screen changed, nothing was painted
        f.view.viewport()->removeEventFilter(&above);
        // A view at the top shows the newcomers instead: the rows on screen move down, one row is painted.
        f.view.verticalScrollBar()->setValue(0);
        QCoreApplication::processEvents();
        PaintedArea painted;
        f.view.viewport()->installEventFilter(&painted);
        f.live.insert(232, QStringLiteral("100"));
        QCoreApplication::processEvents();
        QCOMPARE(f.topKey(), 232);
        QCOMPARE(painted.area, qint64(f.view.viewport()->width()) * f.view.rowHeight());
        QVERIFY(f.showsTheModel(QTest::currentTestFunction()));
    }

    void currentRowOnTopStaysOnTopInItsColumn()
    {
        Fixture f(50, Qt::DescendingOrder);
        f.view.setCurrentIndex(f.model->index(0, 2));
        QVERIFY(f.view.isCurrentFirst());
        f.live.insert(51, QStringLiteral("100"));
        for (int key = 52; key <= 60; ++key)
            f.live.stageInsert(key, QStringLiteral("100"));
        f.live.commit();
        QCOMPARE(f.view.currentIndex().row(), 0);
        QCOMPARE(f.view.currentIndex().column(), 2);
        QCOMPARE(f.keyAt(0), 60);
        QVERIFY(f.view.selectionModel()->isRowSelected(0, QModelIndex()));
        QCOMPARE(f.view.selectionModel()->selectedRows().size(), 1);
        // A current row elsewhere follows its record.
        f.view.setCurrentIndex(f.model->index(5, 1));
        const qint64 key = f.keyAt(5);
        f.live.insert(61, QStringLiteral("100"));
        QCOMPARE(f.keyAt(f.view.currentIndex().row()), key);
    }

    void changedCellsComeFromTheDelegateOthersFromTheBuffer()
    {
        Fixture f(100, Qt::AscendingOrder);
        f.view.setPaintBufferEnabled(true);
        f.delegate.paints = 0;
        const QImage first = f.shot();
        const int cells = f.delegate.paints;
        QVERIFY(cells > 0);
        QCOMPARE(f.view.paintBuffer()->count(), cells);

        f.delegate.paints = 0;
        QCOMPARE(f.shot(), first); // all from the buffer
        QCOMPARE(f.delegate.paints, 0);

        f.live.tick(3, "price", QStringLiteral("555.55")); // row 2
        const QImage second = f.shot();
        QCOMPARE(f.delegate.paints, 1); // the price cell of row 2 only
        QVERIFY(second != first);
        QVERIFY(samePicture(second, f.reference(), QTest::currentTestFunction()));
        // Only the band of row 2 differs.
        const int h = f.view.rowHeight();
        for (int y = 0; y < second.height(); ++y) {
            if (y >= 2 * h && y < 3 * h)
                continue;
            for (int x = 0; x < second.width(); x += 3) {
                if (second.pixel(x, y) != first.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2) changed outside the row").arg(x).arg(y)));
            }
        }
    }

    void cachedCellsStayOnTheirRowsAfterInsertsAbove()
    {
        Fixture f(200, Qt::DescendingOrder);
        f.live.remove(150); // comes back later, inside the page
        f.view.setPaintBufferEnabled(true);
        f.view.verticalScrollBar()->setValue(40);
        f.shot();
        f.delegate.paints = 0;
        for (int key = 201; key <= 210; ++key)
            f.live.stageInsert(key, QStringLiteral("100"));
        f.live.commit();
        const QImage after = f.shot();
        QCOMPARE(f.delegate.paints, 0); // the same records, all from the buffer...
        QVERIFY(samePicture(after, f.reference(), QTest::currentTestFunction())); // ...each at its own row
        // Rows inserted inside the page: the cached cells below move with their records.
        const qint64 top = f.topKey();
        QVERIFY(top > 150 && top <= 160);
        f.live.insert(150, QStringLiteral("100")); // lands inside the page
        QCOMPARE(f.topKey(), top);
        QVERIFY(f.showsTheModel(QTest::currentTestFunction()));
    }

    void rightArrowInTheLastColumnScrollsByOneStep()
    {
        Fixture f(20, Qt::AscendingOrder);
        for (int column = 0; column < f.view.header()->count(); ++column)
            f.view.header()->resizeSection(column, 150);
        QScrollBar* bar = f.view.horizontalScrollBar();
        QVERIFY(bar->maximum() > bar->singleStep());
        const int last = f.view.header()->logicalIndex(f.view.header()->count() - 1);
        f.view.setCurrentIndex(f.model->index(3, last));
        bar->setValue(0);
        QTest::keyClick(&f.view, Qt::Key_Right);
        QCOMPARE(f.view.currentIndex(), f.model->index(3, last));
        QCOMPARE(bar->value(), bar->singleStep());
        // Elsewhere the arrows move the current cell.
        QTest::keyClick(&f.view, Qt::Key_Left);
        QCOMPARE(f.view.currentIndex().column(), f.view.header()->logicalIndex(f.view.header()->count() - 2));
        QTest::keyClick(&f.view, Qt::Key_Down);
        QCOMPARE(f.view.currentIndex().row(), 4);
        QTest::keyClick(&f.view, Qt::Key_End);
        QVERIFY(f.view.isCurrentLast());
        // A host moving the current cell by a key that is no arrow leaves it, and says so among the diagnostics.
        const QModelIndex end = f.view.currentIndex();
        LoggedCategories log;
        f.view.moveCurrentIndex(end, Qt::Key_PageUp);
        QCOMPARE(f.view.currentIndex(), end);
        QCOMPARE(log.categories, QStringList { QStringLiteral("QGuiLog") });
    }

    void removalsAboveKeepTheRecordsOnScreen()
    {
        Fixture f(200, Qt::AscendingOrder);
        f.view.verticalScrollBar()->setValue(100);
        QCOMPARE(f.topKey(), 101);
        for (int key = 10; key < 20; ++key)
            f.live.stageRemove(key);
        f.live.commit();
        QCOMPARE(f.topKey(), 101);
        QCOMPARE(f.view.verticalScrollBar()->value(), 90);
        QVERIFY(f.showsTheModel(QTest::currentTestFunction()));
    }

    void headerReplacementAndRowHeight()
    {
        Fixture f(10, Qt::AscendingOrder);
        QSignalSpy headerChanged(&f.view, &QTableFastView::headerChanged);
        QPointer<QHeaderView> old = f.view.header();
        auto* header = new QHeaderView(Qt::Horizontal);
        f.view.setHeader(header);
        QCOMPARE(headerChanged.count(), 1);
        QVERIFY(old.isNull()); // the view owned it
        QCOMPARE(header->parent(), &f.view);
        QCOMPARE(header->model(), f.model.get());
        QCOMPARE(f.view.viewportMargins().top(), header->sizeHint().height());
        header->hide();
        QCOMPARE(f.view.viewportMargins().top(), 0);
        header->show();

        // A taller delegate makes every row taller, at once and by signal.
        QSignalSpy heightChanged(&f.view, &QTableFastView::rowHeightChanged);
        struct Tall : QStyledItemDelegate
        {
            mutable int askedWidth = 0;
            QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
            {
                askedWidth = option.rect.width();
                return QSize(10, 40);
            }
        } tall;
        f.view.setItemDelegateForColumn(2, &tall);
        QEvent styleChange(QEvent::StyleChange); // as a new style or font would
        QApplication::sendEvent(&f.view, &styleChange);
        QCOMPARE(f.view.rowHeight(), 40);
        QCOMPARE(tall.askedWidth, -1); // the row height alone: no text to measure
        QVERIFY(heightChanged.count() >= 1);
        QCOMPARE(f.view.visualRect(f.model->index(2, 0)).top(), 80);
        f.view.setItemDelegateForColumn(2, nullptr);
    }

    void aViewFollowingItsLastRowStaysAtTheBottomWhenResized()
    {
        Fixture f(100, Qt::AscendingOrder);
        f.view.setCurrentLast();
        QVERIFY(f.view.isCurrentLast());
        QCOMPARE(f.view.verticalScrollBar()->value(), f.view.verticalScrollBar()->maximum());
        f.view.resize(600, 200);
        QCoreApplication::processEvents();
        QCOMPARE(f.view.verticalScrollBar()->value(), f.view.verticalScrollBar()->maximum());
        f.view.resize(600, 400);
        QCoreApplication::processEvents();
        QCOMPARE(f.view.verticalScrollBar()->value(), f.view.verticalScrollBar()->maximum());
        QVERIFY(f.view.visualRect(f.view.currentIndex()).bottom() < f.view.viewport()->height());
        QVERIFY(f.showsTheModel(QTest::currentTestFunction()));
    }

    void paintBufferKeepsOnlyTheVisibleCells()
    {
        Fixture f(300, Qt::AscendingOrder);
        f.view.setPaintBufferEnabled(true);
        f.shot();
        const int cells = f.view.paintBuffer()->count();
        QVERIFY(cells > 0);
        f.view.verticalScrollBar()->setValue(100);
        QCOMPARE(f.view.paintBuffer()->firstRow(), 100);
        QCOMPARE(f.view.paintBuffer()->count(), 0); // every cached row went out of sight
        f.shot();
        QCOMPARE(f.view.paintBuffer()->count(), cells);
        // Resizing a column drops the cells it and the columns right of it painted.
        f.view.header()->resizeSection(3, 150);
        QVERIFY(f.view.paintBuffer()->count() < cells);
        QVERIFY(f.showsTheModel(QTest::currentTestFunction()));
        f.view.setPaintBufferEnabled(false);
        QCOMPARE(f.view.paintBuffer()->count(), 0);
    }

    void paintBufferAtTheTopOfAGrowingTableStaysTheSizeOfTheScreen()
    {
        // Given a view at the top of newest-first orders, with its buffer full of what it shows.
        Fixture f(100, Qt::DescendingOrder);
        f.view.setPaintBufferEnabled(true);
        f.shot();
        const int cells = f.view.paintBuffer()->count();
        QVERIFY(cells > 0);
        // When batch after batch of new orders arrives above, the view stays at the top and its buffer never
        // holds more than the screen: the cells pushed below it go.
        for (int key = 1000; key < 1200; key += 10) {
            for (int k = key; k < key + 10; ++k)
                f.live.stageInsert(k, QStringLiteral("100"));
            f.live.commit();
            f.shot();
            const PixmapCacheIndexed* buffer = f.view.paintBuffer();
            QVERIFY(buffer->count() <= (buffer->lastRow() - buffer->firstRow() + 1) * f.model->columnCount());
            QVERIFY(buffer->count() <= cells + f.model->columnCount()); // at most the one row partly in sight
        }
        QVERIFY(f.showsTheModel(QTest::currentTestFunction()));
    }

    void sizeHintMeasuresTheVisibleRowsOnly()
    {
        Fixture f(200, Qt::AscendingOrder);
        const int account = f.live.column("account");
        f.live.tick(150, "account", QStringLiteral("LONGACC"));
        const int before = f.view.sizeHintForColumn(account);
        QVERIFY(before > 0);
        f.view.verticalScrollBar()->setValue(140); // row of order 150 now on screen
        QVERIFY(f.view.sizeHintForColumn(account) > before);
        f.view.resizeColumnToContents(account);
        QCOMPARE(f.view.header()->sectionSize(account),
            qMax(f.view.sizeHintForColumn(account), f.view.header()->sectionSizeHint(account)));
        QCOMPARE(QTableFastView().sizeHintForColumn(0), -1);
    }

    void perPixelScrollingPlacesCellsByPixels()
    {
        Fixture f(100, Qt::AscendingOrder);
        f.view.setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
        f.view.updateScrollBars();
        const int h = f.view.rowHeight();
        const int H = f.view.viewport()->height();
        QScrollBar* bar = f.view.verticalScrollBar();
        QCOMPARE(bar->maximum(), 100 * h - H);
        bar->setValue(h * 10 + h / 2); // half of row 10 above the top
        QCOMPARE(f.view.indexAt(QPoint(5, 0)).row(), 10);
        QCOMPARE(f.view.visualRect(f.model->index(11, 0)).top(), h - h / 2);
        f.view.scrollTo(f.model->index(50, 0), QAbstractItemView::PositionAtBottom);
        QCOMPARE(bar->value(), 51 * h - H);
        f.view.scrollTo(f.model->index(20, 0), QAbstractItemView::PositionAtCenter);
        QCOMPARE(bar->value(), 20 * h + h / 2 - H / 2);
        f.view.scrollTo(f.model->index(21, 0)); // already wholly visible: stays
        QCOMPARE(bar->value(), 20 * h + h / 2 - H / 2);
        f.live.insert(0, QStringLiteral("100")); // a row arrives above
        QVERIFY(f.showsTheModel(QTest::currentTestFunction()));
    }

    void selectionRepaintsItsRowsThroughTheBuffer()
    {
        Fixture f(50, Qt::AscendingOrder);
        f.view.setPaintBufferEnabled(true);
        f.shot();
        f.delegate.paints = 0;
        f.view.setCurrentIndex(f.model->index(4, 0));
        QCOMPARE(f.view.currentIndex().row(), 4);
        QVERIFY(f.view.selectionModel()->isRowSelected(4, QModelIndex()));
        QVERIFY(f.showsTheModel(QTest::currentTestFunction()));
        QVERIFY(f.delegate.paints > 0); // the selected row was rendered again, highlighted
        f.view.setCurrentIndex(f.model->index(7, 0));
        QVERIFY(f.showsTheModel(QTest::currentTestFunction()));
    }

    void removalsOnScreenRepaintWhatMoved()
    {
        Fixture f(100, Qt::AscendingOrder);
        f.view.setPaintBufferEnabled(true);
        f.view.verticalScrollBar()->setValue(20);
        f.shot();
        for (int key = 24; key < 28; ++key)
            f.live.stageRemove(key);
        f.live.commit();
        QCOMPARE(f.topKey(), 21);
        QVERIFY(f.showsTheModel(QTest::currentTestFunction()));
        f.live.remove(21); // the top row itself
        QCOMPARE(f.topKey(), 22);
        QVERIFY(f.showsTheModel(QTest::currentTestFunction()));
    }

    void rowsArrivingAtTheFirstShownRowLeaveTheScreenAsItWas()
    {
        // Given a view in the middle whose first shown row (row 50) holds order 52, order 51 being away.
        Fixture f(200, Qt::AscendingOrder);
        f.live.remove(51);
        f.view.setPaintBufferEnabled(true);
        f.view.verticalScrollBar()->setValue(50);
        QCOMPARE(f.topKey(), 52);
        const QImage before = onScreen(f.view);
        PaintedArea painted;
        f.view.viewport()->installEventFilter(&painted);
        // When order 51 arrives exactly at row 50.
        f.live.insert(51, QStringLiteral("100"));
        // Then the same records stand on the same lines, and nothing was painted.
        QCOMPARE(f.view.verticalScrollBar()->value(), 51);
        QCOMPARE(f.topKey(), 52);
        QVERIFY(samePicture(onScreen(f.view), before, QTest::currentTestFunction()));
        QCOMPARE(painted.area, qint64(0));
        f.view.viewport()->removeEventFilter(&painted);
        QVERIFY(f.showsTheModel(QTest::currentTestFunction()));
    }

    void oneChangeOfSeveralColumnsRepaintsEachOfThem()
    {
        Fixture f(50, Qt::AscendingOrder);
        f.view.setPaintBufferEnabled(true);
        f.shot();
        QSignalSpy changed(f.model.get(), &QAbstractItemModel::dataChanged);
        f.live.stageTick(4, "board_id", 77);
        f.live.stageTick(4, "price", QStringLiteral("777.77"));
        f.live.commit();
        QCOMPARE(changed.count(), 1); // one signal over board_id..price of row 3, both on screen
        QVERIFY(changed.first().at(1).toModelIndex().column() > changed.first().at(0).toModelIndex().column());
        QVERIFY(f.showsTheModel(QTest::currentTestFunction()));
    }

    void selectionShrinkingRepaintsTheRowsThatLostIt()
    {
        Fixture f(50, Qt::AscendingOrder);
        f.view.setSelectionMode(QAbstractItemView::ExtendedSelection);
        f.view.setPaintBufferEnabled(true);
        f.view.setCurrentIndex(f.model->index(5, 0));
        f.view.selectionModel()->select(QItemSelection(f.model->index(2, 0), f.model->index(5, 0)),
            QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QVERIFY(f.showsTheModel(QTest::currentTestFunction()));
        // Ctrl-click on the current row takes it out of the selection; the current row does not move.
        const QRect row5 = f.view.visualRect(f.model->index(5, 1));
        QTest::mouseClick(f.view.viewport(), Qt::LeftButton, Qt::ControlModifier, row5.center());
        QCOMPARE(f.view.currentIndex().row(), 5);
        QVERIFY(!f.view.selectionModel()->isRowSelected(5, QModelIndex()));
        QVERIFY(f.showsTheModel(QTest::currentTestFunction()));
        f.view.clearSelection();
        QCOMPARE(f.view.currentIndex().row(), 5);
        QVERIFY(f.showsTheModel(QTest::currentTestFunction()));
    }

    void paletteFontAndStyleChangesRepaintEveryCell()
    {
        Fixture f(50, Qt::AscendingOrder);
        f.view.setPaintBufferEnabled(true);
        f.shot();
        QPalette palette = f.view.palette();
        palette.setColor(QPalette::Base, QColor(255, 250, 205));
        palette.setColor(QPalette::Text, QColor(0, 0, 139));
        f.view.setPalette(palette);
        QVERIFY(f.showsTheModel("palette"));
        QFont font = f.view.font();
        font.setBold(true);
        f.view.setFont(font);
        QVERIFY(f.showsTheModel("font"));
    }

    // A price flash fades by the clock, not by a data change: the view must drop the cell's old picture.
    void aFlashFadesInAViewThatKeepsPicturesOfItsCells()
    {
        // Given a price that rose just now, flashing in a view with its paint buffer on.
        RisingPrice price;
        QTableFastView view;
        view.setPaintBufferEnabled(true);
        ItemDelegateUpDown* flash = price.showIn(view, 100);
        const QImage strong = onScreen(view);
        // When time passes and the delegate's timer repaints its flashing cells.
        flash->updateDateTime(price.changed.addMSecs(1500));
        flash->timeout();
        // Then the window shows the faded flash, as a view painting afresh at that moment does.
        QTableFastView fresh;
        price.showIn(fresh, 1500);
        const QImage faded = onScreen(view);
        QVERIFY(faded != strong);
        QVERIFY(samePicture(faded, fresh.viewport()->grab().toImage(), QTest::currentTestFunction()));
    }

    // Colours applied on the "Цвета" pages reach the windows already open, pictures of cells included, with
    // nothing else to repaint them: no data change, no flash.
    void newColoursRepaintOpenWindows_data() { addFastViewKinds(); }
    void newColoursRepaintOpenWindows()
    {
        QFETCH(QString, kind);
        // Orders on the buy and sell colours of the orders' windows.
        QStandardItemModel orders(4, 2);
        for (int row = 0; row < 4; ++row) {
            orders.setData(orders.index(row, 0), row % 2 ? QStringLiteral("S") : QStringLiteral("B"));
            orders.setData(orders.index(row, 1), 91500 + row);
        }
        auto show = [&orders](QAbstractItemView& view) {
            view.setItemDelegate(new ItemDelegateBuySell(ViewsColorManager::Orders, 0, &view));
            view.setFocusPolicy(Qt::NoFocus);
            view.setModel(&orders);
            view.resize(300, 200);
            view.show();
            if (!QTest::qWaitForWindowExposed(&view))
                qWarning("the view was not exposed");
            view.selectionModel()->clear();
        };
        const std::unique_ptr<QAbstractItemView> shown = fastView(kind);
        QAbstractItemView& view = *shown;
        show(view);
        const QImage before = onScreen(view);
        using M = ViewsColorManager;
        M* colors = M::instance();
        const QColor chosen = colors->color(M::Orders, M::BackgroundRole, M::BuyColor);
        auto restore = qScopeGuard([&] {
            colors->setColor(M::Orders, M::BackgroundRole, M::BuyColor, chosen);
            Q_EMIT colors->changed();
        });
        colors->setColor(M::Orders, M::BackgroundRole, M::BuyColor, QColor(40, 60, 220));
        Q_EMIT colors->changed();
        const QImage after = onScreen(view);
        const std::unique_ptr<QAbstractItemView> fresh = fastView(kind);
        show(*fresh);
        QVERIFY(after != before);
        QVERIFY(samePicture(after, fresh->viewport()->grab().toImage(), QTest::currentTestFunction()));
    }

    // A host showing prices in the library's view leaves the flash clock to the view: a change made now flashes,
    // one made a minute ago does not, and only the flashing cell waits for its next frame.
    void theViewRunsTheFlashClock_data() { addFastViewKinds(); }
    void theViewRunsTheFlashClock()
    {
        QFETCH(QString, kind);
        const datetime now = datetime::currentDateTime();
        QStandardItemModel model(2, 1);
        for (int row : { 0, 1 }) {
            model.setData(model.index(row, 0), 91500 + row);
            model.setData(model.index(row, 0), QVariant::fromValue(now.addMSecs(-60000 * row)), ChangeTimeRole);
            model.setData(model.index(row, 0), 1, ChangeDirectionRole);
        }
        const std::unique_ptr<QAbstractItemView> shown = fastView(kind);
        QAbstractItemView& view = *shown;
        auto* flash = new ItemDelegateUpDown(ViewsColorManager::Securities, &view);
        flash->setBacklight(true);
        view.setItemDelegate(flash);
        view.setModel(&model);
        view.resize(300, 200);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.viewport()->grab();
        QVERIFY(!(flash->currentDateTime() < now));
        QCOMPARE(flash->pendingRepaints(), 1);
    }

    void sortingThroughTheHeader()
    {
        Fixture f(30, Qt::AscendingOrder);
        f.view.setSortingEnabled(true);
        QVERIFY(f.view.header()->isSortIndicatorShown());
        f.view.header()->setSortIndicator(0, Qt::DescendingOrder);
        QCOMPARE(f.keyAt(0), 30);
        f.view.sortByColumn(0, Qt::AscendingOrder);
        QCOMPARE(f.keyAt(0), 1);
        QVERIFY(f.showsTheModel(QTest::currentTestFunction()));
    }

    // A re-sort moves the trader's current cell and selected rows with their records, whether it comes from the
    // header or from the model's sort(), and the picture shows them on their new rows.
    void currentCellAndSelectionFollowTheirRecordsThroughAResort()
    {
        Fixture f(30, Qt::AscendingOrder);
        f.view.setSortingEnabled(true);
        const QSet<qint64> selected { 4, 5, 11, 23 };
        auto select = [&f](const QSet<qint64>& keys) {
            QItemSelection selection;
            for (int row = 0; row < f.model->rowCount(); ++row) {
                if (keys.contains(f.keyAt(row)))
                    selection.select(f.model->index(row, 0), f.model->index(row, f.model->columnCount() - 1));
            }
            f.view.selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
        };
        auto selectedKeys = [&f] {
            QSet<qint64> keys;
            for (const QModelIndex& index : f.view.selectionModel()->selectedRows())
                keys.insert(f.keyAt(index.row()));
            return keys;
        };
        select(selected);
        const int currentKey = 11;
        f.view.selectionModel()->setCurrentIndex(f.model->index(currentKey - 1, 1), QItemSelectionModel::NoUpdate);

        auto followed = [&](const char* step) {
            const QModelIndex current = f.view.currentIndex();
            return current.isValid() && f.keyAt(current.row()) == currentKey && current.column() == 1
                && selectedKeys() == selected && f.showsTheModel(step);
        };
        f.view.header()->setSortIndicator(0, Qt::DescendingOrder);
        QCOMPARE(f.keyAt(0), 30);
        QVERIFY(followed("resort-by-header"));
        // By price: seven values among thirty rows, so rows move by different distances.
        f.model->sort(f.live.column("price"), Qt::AscendingOrder);
        QVERIFY(f.keyAt(0) != 30);
        QVERIFY(followed("resort-by-model"));
    }

    // A stream of batches repaints a window once a frame: a change after a quiet spell shows at once; while the
    // interval after a paint runs, batches of new prices, new orders at the top and cancelled orders wait, and then
    // cost one frame, after which the window shows what a fresh view shows.
    void aStreamOfBatchesRepaintsOnceAFrame()
    {
        // Given a quiet window at the top of newest-first orders, its current row on the first row.
        Fixture f(100, Qt::DescendingOrder);
        f.view.setPaintBufferEnabled(true);
        f.view.setCurrentFirst();
        RepaintPacer* pacer = f.view.repaintPacer();
        pacer->setInterval(1);
        f.view.viewport()->repaint();
        QTRY_VERIFY(!pacer->isHolding());
        pacer->setInterval(Fixture::HourMs);
        PaintedArea painted;
        f.view.viewport()->installEventFilter(&painted);
        // When one price changes, it is painted at once.
        f.live.tick(98, "price", QStringLiteral("555.55"));
        QCoreApplication::processEvents();
        QCOMPARE(painted.paints, 1);
        // When forty batches follow within the interval, nothing is painted...
        painted.paints = 0;
        const qint64 cancelledInSight[] = { 95, 92, 91, 89 };
        for (int batch = 0; batch < 40; ++batch) {
            for (qint64 key = 90; key < 100; key += 3)
                f.live.stageTick(key, "price", QStringLiteral("%1.25").arg(200 + batch));
            f.live.stageInsert(1000 + batch, QStringLiteral("100"));
            if (batch % 10 == 5)
                f.live.stageRemove(cancelledInSight[batch / 10]);
            if (batch % 10 == 9)
                f.live.stageRemove(30 - batch / 10); // far below
            f.live.commit();
            QCoreApplication::processEvents();
        }
        QCOMPARE(painted.paints, 0);
        // ...until the interval is up: then one frame shows them all.
        pacer->setInterval(1);
        QTRY_COMPARE(painted.paints, 1);
        f.view.viewport()->removeEventFilter(&painted);
        QCOMPARE(f.topKey(), 1039);
        QCOMPARE(f.view.currentIndex().row(), 0);
        QVERIFY(f.showedTheModel(onScreen(f.view), QTest::currentTestFunction()));
    }

    // The trader's click and scrolling show at once while a frame waits; the waiting change moves with the
    // scrolled pixels and shows on its own row when the frame comes.
    void theTradersActionsRepaintAtOnceWhileAFrameWaits()
    {
        // Given a window whose frame interval runs, with a new price of row 3 waiting for the next frame.
        Fixture f(100, Qt::AscendingOrder);
        f.view.setPaintBufferEnabled(true);
        RepaintPacer* pacer = f.holdFrames();
        f.live.tick(4, "price", QStringLiteral("555.55"));
        PaintedArea painted;
        f.view.viewport()->installEventFilter(&painted);
        QCoreApplication::processEvents();
        QCOMPARE(painted.paints, 0);
        // When the trader clicks row 6, it shows selected at once.
        const int h = f.view.rowHeight();
        QTest::mouseClick(f.view.viewport(), Qt::LeftButton, {}, QPoint(5, 6 * h + h / 2));
        QCOMPARE(f.view.currentIndex().row(), 6);
        const QImage clicked = onScreen(f.view);
        QVERIFY(painted.paints > 0);
        // When the trader scrolls one row down, the rows move at once.
        painted.paints = 0;
        f.view.verticalScrollBar()->setValue(1);
        QCoreApplication::processEvents();
        QVERIFY(painted.paints > 0);
        QVERIFY(pacer->isHolding());
        // Then, once the frame came, the window shows the model; the clicked row looked then as it does now.
        pacer->setInterval(1);
        QTRY_VERIFY(pacer->waiting().isEmpty() && !pacer->isHolding());
        f.view.viewport()->removeEventFilter(&painted);
        QVERIFY(f.showedTheModel(onScreen(f.view), QTest::currentTestFunction()));
        const QImage now = f.reference();
        QVERIFY(samePicture(clicked.copy(0, 6 * h, clicked.width(), h), now.copy(0, 5 * h, now.width(), h), "clicked"));
    }

    // A window closed with a frame waiting takes the frame with it; the stream goes on.
    void closingAWindowWithAFrameWaitingIsSafe()
    {
        Fixture f(50, Qt::AscendingOrder);
        auto* view = new QTableFastView;
        view->setModel(f.model.get());
        view->resize(600, 300);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
        QPointer<RepaintPacer> pacer = view->repaintPacer();
        pacer->setInterval(Fixture::HourMs);
        view->viewport()->repaint();
        f.live.tick(2, "price", QStringLiteral("555.55"));
        QVERIFY(!pacer->waiting().isEmpty());
        pacer->setInterval(1); // the frame is due
        delete view;
        QVERIFY(pacer.isNull());
        f.live.tick(3, "price", QStringLiteral("556.55"));
        QTest::qWait(20);
    }
};

QTEST_MAIN(tst_QTableFastView)
#include "tst_qtablefastview.moc"
