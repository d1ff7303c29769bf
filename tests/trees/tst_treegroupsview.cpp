// The grouped window as a trader uses it: the header's first section opens and closes every group, group rows
// are drawn as segments of their level's columns, the columns page changes them, and the whole state (sort
// orders, segments, current row, scroll positions) comes back after a restart.

#include "livetable.h"
#include "onscreen.h"
#include "ordergroupsmodel.h"
#include "paintedarea.h"

#include "columns/itemmodelwithdelegates.h"
#include "core/db/mapsettings.h"
#include "filters/rowfiltersmodel.h"
#include "trees/groupmenttreeitem.h"
#include "trees/view/private/treegroupsheaderview.h"
#include "trees/view/private/treegroupsviewgroupcolset.h"
#include "trees/view/private/treegroupsviewgroupitemdelegate.h"
#include "trees/view/private/treegroupsviewheadersettingspage.h"
#include "trees/view/treegroupsview.h"
#include "views/repaintpacer.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Orders of three accounts by side, each side's orders by price; the view over them, shown.
struct Window
{
    Window()
        : model(live.table)
    {
        for (qint64 key = 1; key <= 60; ++key) {
            // Accounts holding what stored paths are written with.
            live.insert(
                key, QStringLiteral("%1.00").arg(100 + key % 7), QStringList { "A,1", "B\\2", "C\"]" }.at(key % 3));
            live.tick(key, "buysell", FieldInput(key % 2 ? QStringLiteral("B") : QStringLiteral("S")));
            live.tick(key, "quantity", FieldInput(key));
        }
        model.define({ { QStringLiteral("account") }, { QStringLiteral("buysell") } },
            { { QStringLiteral("price"), Qt::AscendingOrder }, { QStringLiteral("quantity"), Qt::AscendingOrder } });
        view.setModel(&model);
        view.resize(700, 400);
        view.show();
        exposed = QTest::qWaitForWindowExposed(&view);
        // The header ignores the click that activates its window: the activation settles first.
        QTest::qWait(20);
    }
    int column(const char* name) const { return model.columnIndex(QString::fromLatin1(name)); }
    // The mark in the header's first section.
    QImage mark()
    {
        TreeGroupsHeaderView* header = view.groupsHeader();
        return header->viewport()
            ->grab(QRect(header->sectionViewportPosition(0), 0, header->sectionSize(0), header->height()))
            .toImage();
    }
    QImage rowImage(const QModelIndex& index)
    {
        const QRect row = view.visualRect(index);
        return view.viewport()->grab(QRect(0, row.top(), view.viewport()->width(), row.height())).toImage();
    }

    LiveTable live;
    OrderGroupsModel model;
    TreeGroupsView view;
    bool exposed = false;
};

// Columns of the image crossed by a vertical line: one colour, not the background's, from top to bottom (taller
// than any glyph).
QList<int> linesOf(const QImage& image)
{
    QList<int> xs;
    const int top = 1;
    const QColor background = image.pixelColor(image.width() - 2, top);
    for (int x = 0; x < image.width(); ++x) {
        const QColor color = image.pixelColor(x, top);
        bool line = color != background;
        for (int y = top; y < image.height() - 1 && line; ++y)
            line = image.pixelColor(x, y) == color;
        if (line)
            xs << x;
    }
    return xs;
}

bool hasInk(const QImage& image, const QRect& area)
{
    const QColor background = image.pixelColor(area.topLeft());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) != background)
                return true;
        }
    }
    return false;
}

} // namespace

class TestTreeGroupsView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theFirstSectionOpensAndClosesEveryGroup();
    void groupRowsAreSegmentsOfTheirLevelsColumns();
    void theColumnsPageChangesAGroupLevel();
    void theStateComesBackAfterARestart();
    void groupsArrivingWithTheStreamOpenAndClosedOnesStayClosed();
    void aStreamOfNewValuesRepaintsOnceAFrame();
    void aModelThatGoesFirstLeavesAnEmptyView();
};

void TestTreeGroupsView::theFirstSectionOpensAndClosesEveryGroup()
{
    // Given a window that opens with every group open,
    Window w;
    QCOMPARE(w.view.expandState(), 2);
    QVERIFY(!w.view.groupsHeader()->isCollapsed());
    const QImage open = w.mark();

    // when the first section is clicked, every group closes and the mark turns;
    const QPoint first(w.view.groupsHeader()->sectionViewportPosition(0) + 5, 5);
    QTest::mouseClick(w.view.groupsHeader()->viewport(), Qt::LeftButton, {}, first);
    QCOMPARE(w.view.expandState(), 0);
    QVERIFY(w.view.groupsHeader()->isCollapsed());
    QVERIFY(w.mark() != open);

    // when one group is opened by hand, the state says so, and the next click closes everything again;
    w.view.expand(w.model.index(0, 0));
    QCOMPARE(w.view.expandState(), 1);
    QTest::mouseClick(w.view.groupsHeader()->viewport(), Qt::LeftButton, {}, first);
    QCOMPARE(w.view.expandState(), 0);

    // then a click on all-closed groups opens every level.
    QTest::mouseClick(w.view.groupsHeader()->viewport(), Qt::LeftButton, {}, first);
    QCOMPARE(w.view.expandState(), 2);
    QCOMPARE(w.mark(), open);
}

void TestTreeGroupsView::groupRowsAreSegmentsOfTheirLevelsColumns()
{
    // Given account rows showing the account (80 px) and the first order's quantity (60 px),
    Window w;
    auto* account = w.view.groupColumns().column(0, w.column("account"));
    auto* quantity = w.view.groupColumns().column(0, w.column("quantity"));
    QVERIFY(account && quantity);
    account->width = 80;
    quantity->visible = true;
    quantity->width = 60;
    w.view.viewport()->update();
    QTest::qWait(20);
    const QModelIndex group = w.model.index(0, 0);
    const int left = w.view.groupContentRect(group).left();

    // then the row is cut into the two framed segments, each with its value, and nothing after them,
    QImage row = w.rowImage(group);
    QCOMPARE(linesOf(row), (QList<int> { left + 79, left + 139 }));
    QVERIFY(hasInk(row, QRect(left + 2, 2, 70, row.height() - 4)));
    QVERIFY(hasInk(row, QRect(left + 82, 2, 50, row.height() - 4)));
    QVERIFY(!hasInk(row, QRect(left + 142, 2, 200, row.height() - 4)));

    // and a level showing one column gives it the whole row: the quantity, a number, stands at the row's end.
    account->visible = false;
    w.view.viewport()->update();
    QTest::qWait(20);
    row = w.rowImage(group);
    QCOMPARE(linesOf(row), (QList<int> { row.width() - 1 }));
    QVERIFY(!hasInk(row, QRect(left + 2, 2, 150, row.height() - 4)));
    QVERIFY(hasInk(row, QRect(row.width() - 60, 2, 50, row.height() - 4)));
}

void TestTreeGroupsView::theColumnsPageChangesAGroupLevel()
{
    // Given the columns page of a window,
    Window w;
    TreeGroupsViewHeaderSettingsPage page(&w.view);
    MapSettings settings;
    w.view.store(settings);
    QWidget parent;
    QVERIFY(page.createPage(settings, &parent));
    TableHeaderModel* level = page.form()->levelModel(0);
    QVERIFY(level);
    // whose width header titles a segment without a width of its own by the width it is drawn with,
    const int account = w.column("account");
    QCOMPARE(page.form()->levelWidths(0)->model()->headerData(account, Qt::Horizontal).toString(),
        QStringLiteral("%1 — %2")
            .arg(w.model.headerData(account, Qt::Horizontal).toString())
            .arg(w.view.delegateGroup()->defaultWidth(w.model.index(0, 0), account)));

    // when it is applied untouched, every segment keeps its default width;
    page.apply(settings);
    w.view.restore(MapSettings(), settings);
    for (int l = 0; l < w.view.groupColumns().levelCount(); ++l) {
        for (const auto& c : w.view.groupColumns().level(l))
            QCOMPARE(c.width, 0);
    }

    // when the trader ticks the quantity for the account rows and widens the account's segment,
    for (int row = 0; row < level->rowCount(); ++row) {
        if (level->sectionAt(row) == w.column("quantity"))
            QVERIFY(level->setData(level->index(row, 0), Qt::Checked, Qt::CheckStateRole));
    }
    page.form()->levelWidths(0)->resizeSection(w.column("account"), 150);
    page.apply(settings);
    w.view.restore(MapSettings(), settings);

    // then the account rows show both, the account 150 px wide.
    const auto shown = w.view.groupColumns().visibleColumns(0);
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.at(0).column, w.column("account"));
    QCOMPARE(shown.at(0).width, 150);
    QCOMPARE(shown.at(1).column, w.column("quantity"));
}

void TestTreeGroupsView::theStateComesBackAfterARestart()
{
    // Given a window whose trader turned the second sort round, widened a column and a segment, picked an order
    // deep in the list and scrolled,
    MapSettings settings;
    QString current;
    QString picked; // the order's key: the next window has a table of its own
    int vertical = 0;
    {
        Window w;
        w.view.groupsHeader()->sectionClicked(w.column("quantity"));
        w.view.setColumnWidth(w.column("price"), 171);
        w.view.groupColumns().column(1, w.column("buysell"))->width = 77;
        w.view.collapse(w.model.index(1, 0));
        const QModelIndex order = w.model.index(5, 1, w.model.index(0, 0, w.model.index(0, 0)));
        w.view.selectionModel()->setCurrentIndex(
            order, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        picked = w.model.recordByIndex(order).toString();
        current = w.view.currentText();
        w.view.verticalScrollBar()->setValue(w.view.verticalScrollBar()->maximum() / 2);
        vertical = w.view.verticalScrollBar()->value();
        w.view.store(settings);
    }
    QCOMPARE(settings.value(QStringLiteral("current")).toString(), current);
    QVERIFY(settings.contains(QStringLiteral("Groups/groupColumns/size")));

    // when a new window restores it,
    Window w;
    w.view.restore(MapSettings(), settings);

    // then everything is where it was.
    QCOMPARE(w.model.sortColumnOrder(w.column("quantity")), Qt::DescendingOrder);
    QCOMPARE(w.view.columnWidth(w.column("price")), 171);
    QCOMPARE(w.view.groupColumns().column(1, w.column("buysell"))->width, 77);
    QVERIFY(!w.view.isExpanded(w.model.index(1, 0)));
    QCOMPARE(w.view.expandState(), 1);
    QCOMPARE(w.view.currentText(), current);
    QCOMPARE(w.view.selectionModel()->selectedRows(1).size(), 1);
    QCOMPARE(w.model.recordByIndex(w.view.selectionModel()->selectedRows(1).first()).toString(), picked);
    QVERIFY(qAbs(w.view.verticalScrollBar()->value() - vertical) <= 1);

    // A stored row that no longer exists leaves nothing selected.
    settings.setValue(QStringLiteral("current"), QStringLiteral("Z,B,1"));
    w.view.restore(MapSettings(), settings);
    QVERIFY(w.view.selectionModel()->selectedRows().isEmpty());
}

void TestTreeGroupsView::groupsArrivingWithTheStreamOpenAndClosedOnesStayClosed()
{
    // Given a window with every group open but one account the trader closed,
    Window w;
    const auto group = [&](const QString& name, const QModelIndex& parent = QModelIndex()) {
        for (int row = 0; row < w.model.rowCount(parent); ++row) {
            const QModelIndex index = w.model.index(row, 0, parent);
            if (w.model.itemByIndex(index)->groupName() == name)
                return index;
        }
        return QModelIndex();
    };
    w.view.collapse(group(QStringLiteral("B\\2")));

    // when one batch of the stream brings a new account with both sides, an order to the closed account, and
    // moves an order to another new account,
    w.live.stageInsert(100, QStringLiteral("101.00"), QStringLiteral("D"), QStringLiteral("B"));
    w.live.stageInsert(101, QStringLiteral("102.00"), QStringLiteral("D"), QStringLiteral("S"));
    w.live.stageInsert(102, QStringLiteral("103.00"), QStringLiteral("B\\2"), QStringLiteral("S"));
    w.live.stageTick(1, "account", FieldInput(QStringLiteral("E")));
    w.live.commit();

    // then the new groups open down to the orders, as those the window opened with, and the closed one stays
    // closed.
    for (const char* name : { "D", "E" }) {
        const QModelIndex account = group(QString::fromLatin1(name));
        QVERIFY2(account.isValid() && w.view.isExpanded(account), name);
        QVERIFY(w.model.rowCount(account) > 0);
        for (int row = 0; row < w.model.rowCount(account); ++row)
            QVERIFY2(w.view.isExpanded(w.model.index(row, 0, account)), name);
    }
    QVERIFY(!w.view.isExpanded(group(QStringLiteral("B\\2"))));
    QVERIFY(w.view.isExpanded(group(QStringLiteral("A,1"))));
}

void TestTreeGroupsView::aStreamOfNewValuesRepaintsOnceAFrame()
{
    // Given a quiet window, wide enough to show the orders' quantities, whose last frame is painted,
    Window w;
    QVERIFY(w.exposed);
    w.view.resize(900, 400);
    RepaintPacer* pacer = w.view.repaintPacer();
    pacer->setInterval(1);
    w.view.viewport()->repaint();
    QTRY_VERIFY(!pacer->isHolding());
    pacer->setInterval(3600 * 1000);
    const QImage before = onScreen(w.view);
    PaintedArea painted;
    w.view.viewport()->installEventFilter(&painted);
    QSignalSpy layouts(&w.model, &QAbstractItemModel::layoutChanged);

    // when one order's quantity changes, it is painted at once;
    w.live.tick(7, "quantity", FieldInput(qint64(8)));
    QCoreApplication::processEvents();
    QCOMPARE(painted.paints, 1);

    // when forty batches follow within the frame, each changing every order's quantity in its siblings' order,
    painted.paints = 0;
    for (qint64 batch = 2; batch < 42; ++batch) {
        for (qint64 key = 1; key <= 60; ++key)
            w.live.stageTick(key, "quantity", FieldInput(batch * 1000 + key));
        w.live.commit();
        QCoreApplication::processEvents();
    }

    // then nothing is painted or laid out again until the frame is due,
    QCOMPARE(painted.paints, 0);
    QCOMPARE(layouts.size(), 0);
    // and the frame shows the last values, as the window painted afresh shows them.
    pacer->setInterval(1);
    QTRY_VERIFY(painted.paints > 0);
    const QImage shown = onScreen(w.view);
    QVERIFY(shown != before);
    QVERIFY(samePicture(shown, w.view.viewport()->grab().toImage(), QTest::currentTestFunction()));
    w.view.viewport()->removeEventFilter(&painted);
}

void TestTreeGroupsView::aModelThatGoesFirstLeavesAnEmptyView()
{
    LiveTable live;
    for (qint64 key = 1; key <= 20; ++key)
        live.insert(key, QStringLiteral("%1.00").arg(100 + key % 7), QStringList { "A", "B" }.at(key % 2));
    const auto makeModel = [&](QObject* parent) {
        auto* model = new OrderGroupsModel(live.table);
        model->setParent(parent);
        model->define({ { QStringLiteral("account") } }, { { QStringLiteral("price"), Qt::AscendingOrder } });
        return model;
    };
    // Given a window whose model was made before its view, both the window's children,
    auto* window = new QWidget;
    TreeGroupsModel* model = makeModel(window);
    auto* view = new TreeGroupsView(window);
    view->setModel(model);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // when the window goes, its children go in the order they were made: the model, then the view, which must not
    // touch it.
    delete window;

    // A view that outlives its model is left empty and goes on working.
    TreeGroupsView alone;
    model = makeModel(nullptr);
    alone.setModel(model);
    alone.show();
    delete model;
    QVERIFY(!alone.groupsModel());
    QCOMPARE(alone.expandState(), 0);
    MapSettings settings;
    alone.store(settings);
    alone.restore(MapSettings(), settings);
    alone.grab();
}

QTEST_MAIN(TestTreeGroupsView)
#include "tst_treegroupsview.moc"
