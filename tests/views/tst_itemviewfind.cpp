#include "core/host/widgets/filterlineedit.h"
#include "filters/rowfiltersmodel.h"
#include "livetable.h"
#include "models/tableindexmodel.h"
#include "views/find/itemviewfind.h"
#include "views/find/itemviewfindtoolbar.h"
#include "windows/tablefastview.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QPointer>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <QtTest>

#include <utility>

namespace {

using Cell = QPair<int, int>;

// An orders window over a live table: rows by order number, the account shown first, the volatility hidden.
struct OrdersWindow
{
    // The model tester reads the whole model at each change: a long window goes without it.
    explicit OrdersWindow(int rows, bool tested = true)
    {
        for (int key = 1; key <= rows; ++key)
            live.insert(key, QStringLiteral("%1.25").arg(key % 13), accounts[key % 4]);
        model.setSort(live.column("order_num"), Qt::AscendingOrder);
        model.rebuild();
        if (tested)
            tester = new QAbstractItemModelTester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(&view);
        layout->addWidget(&bar);
        view.setModel(&model);
        view.header()->moveSection(view.header()->visualIndex(live.column("account")), 0);
        view.header()->hideSection(live.column("volat"));
        bar.setView(&view);
        bar.setHeader(view.header());
        bar.hide();
        window.resize(900, 400);
        window.show();
    }
    ~OrdersWindow() { delete tester; }
    ItemViewFind* find() const { return bar.finder(); }
    Cell current() const { return { view.currentIndex().row(), view.currentIndex().column() }; }
    void setCurrent(int row, int column) { view.setCurrentIndex(model.index(row, column)); }

    // Every cell showing the text, in the order a forward search meets them from the top: rows in order, the
    // shown columns in visual order, read through a delegate of our own.
    QList<Cell> hits(const QString& text) const
    {
        QStyledItemDelegate reader;
        QList<Cell> cells;
        for (int row = 0; row < model.rowCount(); ++row) {
            for (int visual = 0; visual < view.header()->count(); ++visual) {
                const int column = view.header()->logicalIndex(visual);
                if (view.header()->isSectionHidden(column))
                    continue;
                const QString shown = reader.displayText(model.index(row, column).data(), view.locale());
                if (shown.contains(text, Qt::CaseInsensitive))
                    cells << Cell(row, column);
            }
        }
        return cells;
    }

    const QString accounts[4]
        = { QStringLiteral("AA100"), QStringLiteral("BB200"), QStringLiteral("CB300"), QStringLiteral("DD400") };
    LiveTable live;
    TableIndexModel model { live.table };
    QAbstractItemModelTester* tester = nullptr;
    QWidget window;
    TableFastView view { &window };
    ItemViewFindToolBar bar { &window };
};

// One column of texts over many rows, counting the cells it is asked for: a long search that can be watched.
class CountingModel : public QAbstractTableModel
{
public:
    explicit CountingModel(int rows)
        : m_rows(rows)
    { }
    int rowCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : m_rows; }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : 1; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return QVariant();
        ++reads;
        return index.row() == m_rows - 1 ? QStringLiteral("needle") : QStringLiteral("hay %1").arg(index.row());
    }
    mutable int reads = 0;

private:
    int m_rows;
};

} // namespace

class tst_ItemViewFind : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stepsThroughTheHitsInViewOrderAndWrapsAround()
    {
        // Given an orders window whose account column is shown first and whose volatility is hidden
        OrdersWindow w(60);
        const QString text = QStringLiteral("b");
        const QList<Cell> hits = w.hits(text);
        QVERIFY(hits.size() > 10);
        // When next is pressed from the first hit, every other hit comes in order, then the first, then the second
        w.setCurrent(hits.first().first, hits.first().second);
        QList<Cell> met;
        for (int i = 0; i <= hits.size(); ++i) {
            QVERIFY(w.find()->findNext(text));
            met << w.current();
        }
        QCOMPARE(met, hits.mid(1) + hits.mid(0, 2));
        // and the whole row of a hit is selected
        QCOMPARE(w.view.selectionModel()->selectedRows().size(), 1);
        QCOMPARE(w.view.selectionModel()->selectedRows().first().row(), hits.at(1).first);
        // When previous is pressed, the first hit comes back, then the last
        QVERIFY(w.find()->findPrev(text));
        QCOMPARE(w.current(), hits.first());
        QVERIFY(w.find()->findPrev(text));
        QCOMPARE(w.current(), hits.last());
        // A text nobody shows leaves the current cell
        QVERIFY(!w.find()->findNext(QStringLiteral("zz9")));
        QCOMPARE(w.current(), hits.last());
        // A hidden column is not searched
        w.live.tick(5, "volat", 7.65432);
        QVERIFY(!w.find()->findNext(QStringLiteral("65432")));
        w.view.header()->showSection(w.live.column("volat"));
        QVERIFY(w.find()->findNext(QStringLiteral("65432")));
        QCOMPARE(w.current(), Cell(4, w.live.column("volat")));
    }

    void incrementalSearchStaysOnTheCurrentCellAndStartsAtTheTopWithoutOne()
    {
        OrdersWindow w(30);
        const QList<Cell> hits = w.hits(QStringLiteral("cb3"));
        QVERIFY(!w.view.currentIndex().isValid());
        QVERIFY(w.find()->findIncremental(QStringLiteral("cb")));
        QCOMPARE(w.current(), hits.first());
        // typing on: the current cell still shows the longer text, so it stays
        QVERIFY(w.find()->findIncremental(QStringLiteral("cb3")));
        QCOMPARE(w.current(), hits.first());
        // a plain next moves on
        QVERIFY(w.find()->findNext(QStringLiteral("cb3")));
        QCOMPARE(w.current(), hits.at(1));
    }

    void findsANumberTypedWithOrWithoutGroupSeparators_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("row");
        QTest::newRow("digits only") << QStringLiteral("1250000") << 1;
        QTest::newRow("thousands apart") << QStringLiteral("1 250 000") << 1;
        QTest::newRow("the locale's separator") << QStringLiteral("1\u00a0250\u00a0000") << 1;
        QTest::newRow("a part across a separator") << QStringLiteral("5 00") << 1;
        QTest::newRow("a text column keeps its spaces") << QStringLiteral("ab c") << 2;
    }
    void findsANumberTypedWithOrWithoutGroupSeparators()
    {
        QFETCH(QString, typed);
        QFETCH(int, row);
        QStandardItemModel model(3, 1);
        model.setData(model.index(0, 0), 777);
        model.setData(model.index(1, 0), 1250000);
        model.setData(model.index(2, 0), QStringLiteral("ab c"));
        QTreeView view;
        view.setLocale(QLocale(QLocale::Russian, QLocale::Russia));
        view.setModel(&model);
        view.show();
        ItemViewFind find;
        find.setView(&view);
        QVERIFY(find.findNext(typed));
        QCOMPARE(view.currentIndex().row(), row);
        QVERIFY(!find.findNext(QStringLiteral("abc")));
    }

    void treeSearchGoesDepthFirst()
    {
        QStandardItemModel model;
        auto* futures = new QStandardItem(QStringLiteral("Фьючерсы"));
        futures->appendRow(new QStandardItem(QStringLiteral("RTS-9.27")));
        futures->appendRow(new QStandardItem(QStringLiteral("Si-9.27")));
        auto* options = new QStandardItem(QStringLiteral("Опционы"));
        options->appendRow(new QStandardItem(QStringLiteral("RTS-9.27 C 110000")));
        model.appendRow(futures);
        model.appendRow(options);
        model.appendRow(new QStandardItem(QStringLiteral("RTS")));
        QTreeView view;
        view.setModel(&model);
        view.show();
        ItemViewFind find;
        find.setView(&view);
        find.setHeader(view.header());
        QStringList met;
        for (int i = 0; i < 4; ++i) {
            QVERIFY(find.findNext(QStringLiteral("rts")));
            met << view.currentIndex().data().toString();
        }
        QCOMPARE(met.join(QLatin1Char('|')), QStringLiteral("RTS-9.27|RTS-9.27 C 110000|RTS|RTS-9.27"));
        QVERIFY(view.isExpanded(model.index(0, 0)));
        QVERIFY(find.findPrev(QStringLiteral("rts")));
        QCOMPARE(view.currentIndex().data().toString(), QStringLiteral("RTS"));
    }

    void barDrivesTheSearchAndSaysWhenNothingIsFound()
    {
        OrdersWindow w(20);
        const QList<Cell> hits = w.hits(QStringLiteral("dd4"));
        w.bar.openFind();
        QVERIFY(w.bar.isVisible());
        QVERIFY(w.bar.filterAction()->isEnabled());
        QTRY_VERIFY(w.bar.lineEdit()->hasFocus());
        // Return in the text steps to the next hit
        QTest::keyClicks(w.bar.lineEdit(), QStringLiteral("dd4"));
        QTRY_COMPARE(w.current(), hits.first()); // the incremental search once typing pauses
        QTest::keyClick(w.bar.lineEdit(), Qt::Key_Return);
        QCOMPARE(w.current(), hits.at(1));
        QVERIFY(w.bar.statusText().isEmpty());
        // a text nobody shows: the label says so, and a new text clears it
        w.bar.lineEdit()->setText(QStringLiteral("qqq"));
        w.bar.findNext();
        QCOMPARE(w.bar.statusText(), QStringLiteral("Не найдено"));
        QCOMPARE(w.current(), hits.at(1));
        QTest::keyClick(w.bar.lineEdit(), Qt::Key_Backspace);
        QVERIFY(w.bar.statusText().isEmpty());
        QVERIFY(w.bar.nextAction()->isEnabled());
        // Esc closes the bar
        QTest::keyClick(w.bar.lineEdit(), Qt::Key_Escape);
        QVERIFY(!w.bar.isVisible());
    }

    void typingStopsARunningSearch()
    {
        CountingModel model(3000000);
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* view = new QTreeView(&window);
        auto* bar = new ItemViewFindToolBar(&window);
        layout->addWidget(view);
        layout->addWidget(bar);
        view->setModel(&model);
        bar->setView(view);
        window.show();
        bar->lineEdit()->setDelay(0);
        QSignalBlocker quiet(bar->lineEdit()); // no incremental search: next is pressed below
        bar->lineEdit()->setText(QStringLiteral("needle"));
        quiet.unblock();
        // The text changes at the first event the search lets through
        QTimer::singleShot(0, bar, [bar] { bar->lineEdit()->setText(QStringLiteral("needlx")); });
        model.reads = 0;
        bar->findNext();
        QVERIFY2(model.reads < model.rowCount() - 1, "the search went on after the text changed");
        QVERIFY(!view->currentIndex().isValid() || view->currentIndex().row() != model.rowCount() - 1);
        QVERIFY(bar->statusText().isEmpty()); // the stopped search reports nothing about the new text
        QVERIFY(bar->nextAction()->isEnabled());
    }

    // Closing the window while a search runs deletes the bar and its finder inside their own event processing;
    // the view or the model may go alone too. The search ends without touching any of them again.
    void searchSurvivesTheDeletionOfWhatItSearches_data()
    {
        QTest::addColumn<QString>("gone");
        QTest::newRow("window closed") << "window";
        QTest::newRow("view deleted") << "view";
        QTest::newRow("model deleted") << "model";
    }
    void searchSurvivesTheDeletionOfWhatItSearches()
    {
        QFETCH(QString, gone);
        auto* model = new CountingModel(3000000);
        const QPointer<QWidget> window = new QWidget;
        window->setAttribute(Qt::WA_DeleteOnClose);
        auto* layout = new QVBoxLayout(window);
        const QPointer<QTreeView> view = new QTreeView(window);
        const QPointer<ItemViewFindToolBar> bar = new ItemViewFindToolBar(window);
        layout->addWidget(view);
        layout->addWidget(bar);
        view->setModel(model);
        bar->setView(view);
        window->show();
        QSignalBlocker quiet(bar->lineEdit());
        bar->lineEdit()->setText(QStringLiteral("needle"));
        quiet.unblock();
        bool searching = false;
        QTimer::singleShot(0, [&] {
            searching = bar && bar->finder()->isRunning();
            if (gone == QLatin1String("window"))
                window->close();
            else if (gone == QLatin1String("view"))
                delete view;
            else
                delete std::exchange(model, nullptr);
        });
        bar->findNext();
        QVERIFY(searching);
        if (gone == QLatin1String("window")) {
            QTRY_VERIFY(!window);
        } else {
            // What stays goes on working.
            QVERIFY(!bar->finder()->isRunning());
            QVERIFY(bar->nextAction()->isEnabled());
            delete window;
        }
        delete model;
    }

    void filterKeepsTheRowsShowingTheTextAndClosingShowsAllThem()
    {
        OrdersWindow w(40);
        const QString text = QStringLiteral("bb2");
        QSet<int> rows;
        for (const Cell& c : w.hits(text))
            rows << c.first;
        const int expected = rows.size();
        QVERIFY(expected > 0 && expected < 40);
        w.bar.openFind();
        w.bar.lineEdit()->setText(text);
        w.bar.filter();
        QCOMPARE(w.model.rowCount(), expected);
        for (int row = 0; row < w.model.rowCount(); ++row)
            QCOMPARE(w.model.index(row, w.live.column("account")).data().toString(), QStringLiteral("BB200"));
        // the filter follows the feed: a new order of the account shows, one of another does not
        w.live.insert(100, QStringLiteral("1.00"), QStringLiteral("BB200"));
        w.live.insert(101, QStringLiteral("1.00"), QStringLiteral("AA100"));
        QCOMPARE(w.model.rowCount(), expected + 1);
        // Closing shows every row again and leaves no filter behind
        const int filters = w.model.filtersModel()->rowCount();
        w.bar.close();
        QCOMPARE(w.model.rowCount(), 42);
        QCOMPARE(w.model.filtersModel()->rowCount(), filters - 1);
    }

    void aLiveFeedNeverLeadsTheSearchToARemovedOrChangedRow()
    {
        // Given a long window whose only hit lies near the end
        const int rows = 200000;
        OrdersWindow w(rows, false);
        const int hidden = rows - 10;
        w.live.tick(hidden, "account", QStringLiteral("ZED1"));
        w.setCurrent(0, w.live.column("order_num"));
        // When, while the search runs, rows come in at the top, the hit is removed and a later row gets the text
        bool fed = false;
        QTimer::singleShot(0, &w.window, [&] {
            for (int key = -500; key < 0; ++key)
                w.live.stageInsert(key, QStringLiteral("1.00"));
            w.live.stageRemove(hidden);
            w.live.stageTick(rows - 3, "account", QStringLiteral("ZED2"));
            w.live.commit();
            fed = true;
        });
        const bool found = w.find()->findNext(QStringLiteral("zed"));
        QVERIFY2(fed, "the search ended before the feed could run: make the window longer");
        // Then the search lands on the row that shows the text now
        QVERIFY(found);
        QCOMPARE(
            w.view.currentIndex().siblingAtColumn(w.live.column("account")).data().toString(), QStringLiteral("ZED2"));
    }
};

QTEST_MAIN(tst_ItemViewFind)
#include "tst_itemviewfind.moc"
