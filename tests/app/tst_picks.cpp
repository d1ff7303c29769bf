#include "actions/securityactions.h"
#include "baseassetsfilter.h"
#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "filters/rowfiltersmodel.h"
#include "hostwindow.h"
#include "instrumentpicks.h"
#include "instruments/quoteswindow.h"
#include "models/filterrecordsmodel.h"
#include "models/indexmodelfilterrecord.h"
#include "models/tablemodel.h"
#include "pickslink.h"
#include "pickswindow.h"
#include "snapshotwindow.h"
#include "tablewindow.h"
#include "terminalfixture.h"
#include "views/readinghold/heldrowsmodel.h"
#include "views/readinghold/readinghold.h"
#include "windows/proxyiview.h"
#include "windows/tablefastviewwithfilter.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QListView>
#include <QMdiArea>
#include <QMenu>
#include <QTableView>
#include <QtTest>

#include <memory>

namespace {

// The action of a window's cell menu whose text starts so; null when the menu has none.
QAction* menuAction(TableWindow* window, int row, const QString& text, QMenu* menu)
{
    const QRect cell = window->view()->visualRect(window->view()->QAbstractItemView::model()->index(row, 1));
    window->populateActionsAt(window->view()->viewport()->mapTo(window, cell.center()), menu);
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith(text))
            return action;
    }
    return nullptr;
}

QStringList keysOf(const TableIndexModel* model)
{
    QStringList keys;
    for (int row = 0; row < model->rowCount(); ++row)
        keys << model->at(row).toString();
    return keys;
}

void select(QAbstractItemView* view, const QList<int>& rows)
{
    view->selectionModel()->clearSelection();
    for (int row : rows)
        view->selectionModel()->select(
            view->model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

// Dragging rows of a view's model as the view hands them to it: their mime data dropped before `target`.
bool drag(QAbstractItemView* view, const QList<int>& rows, int target)
{
    QModelIndexList indexes;
    for (int row : rows)
        indexes << view->model()->index(row, 0);
    std::unique_ptr<QMimeData> data(view->model()->mimeData(indexes));
    return view->model()->dropMimeData(data.get(), Qt::MoveAction, target, 0, QModelIndex());
}

} // namespace

// The trader's pick of instruments, check lists and snapshots in the terminal run in-process over a small market.
class tst_Picks : public QObject, private TerminalFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init() { startTerminalFixture(); }
    void cleanup() { stopTerminalFixture(); }

    // Instruments added from the instruments window (several at once) fill "Мои инструменты"; the instruments
    // window shown as the pick follows it live and in its order, and dragging there reorders the pick; Delete
    // thins the list; the pick and the window's choice come back after a restart.
    void pickFromTheInstrumentsWindowAndBack()
    {
        QStringList kept;
        {
            auto first = terminal();
            TableWindow* instruments = TerminalWindow::tableView(first->openWindow(QStringLiteral("instruments")));
            HostWindow* list = first->openWindow(QStringLiteral("picks"));
            auto* picks = dynamic_cast<PicksWindow*>(list->view()->currentView());
            QVERIFY(instruments && picks);
            const TableIndexModel* all = instruments->model();
            select(instruments->view(), { 5, 1, 3, 7 });
            QMenu menu;
            QAction* add = menuAction(instruments, 1, QStringLiteral("Добавить в 'Мои инструменты'"), &menu);
            QVERIFY(add);
            add->trigger();
            QStringList expected { all->at(1).toString(), all->at(3).toString(), all->at(5).toString(),
                all->at(7).toString() };
            auto* pickModel = qobject_cast<FilterRecordsModel*>(picks->view()->model());
            QCOMPARE(pickModel->toTextList(), expected);

            // The instruments window shows the pick alone, in its order, however the feed moves the quotes.
            instruments->picksLink()->onlyPicksAction()->trigger();
            QCOMPARE(keysOf(all), expected);
            m_feed->step(300);
            QCOMPARE(keysOf(all), expected);
            // A drag there (the last row to the top) reorders the pick; so does one in the list.
            QVERIFY(drag(instruments->view(), { 3 }, 0));
            expected.move(3, 0);
            QCOMPARE(pickModel->toTextList(), expected);
            QVERIFY(drag(picks->view(), { 0, 1 }, -1));
            expected << expected.takeFirst() << expected.takeFirst();
            QCOMPARE(keysOf(all), expected);
            // Held still while the trader reads it, the window takes a drag as well: its rows show the new order.
            instruments->view()->readingHold()->setEnabled(true);
            auto* held = qobject_cast<HeldRowsModel*>(instruments->view()->QAbstractItemView::model());
            QVERIFY(held);
            held->hold();
            QVERIFY(drag(instruments->view(), { 2 }, 1));
            expected.move(2, 1);
            QCOMPARE(pickModel->toTextList(), expected);
            QVERIFY(!held->isHeld());
            for (int row = 0; row < expected.size(); ++row)
                QCOMPARE(held->recordAt(row).toString(), expected.at(row));
            instruments->view()->readingHold()->setEnabled(false);
            // Sorted by a column, the window keeps the sorted rows as the pick's order at the next drag.
            instruments->view()->header()->setSortIndicator(
                all->columnIndex(QStringLiteral("sec_code")), Qt::DescendingOrder);
            const QStringList sorted = keysOf(all);
            QVERIFY(drag(instruments->view(), { 0 }, 2));
            QCOMPARE(all->sortColumn(), -1);
            QCOMPARE(keysOf(all).mid(2), sorted.mid(2));
            QCOMPARE(pickModel->toTextList(), keysOf(all));

            // Delete takes the selected rows out of the list, and out of the window showing the pick.
            select(picks->view(), { 0, 2 });
            QApplication::setActiveWindow(first.get());
            picks->view()->setFocus();
            QTest::keyClick(picks->view(), Qt::Key_Delete);
            kept = keysOf(all);
            QCOMPARE(kept.size(), 2);
            QCOMPARE(pickModel->toTextList(), kept);
            first->close();
        }
        auto second = terminal();
        QVERIFY(second->restoreSession());
        TableWindow* instruments = TerminalWindow::tableView(second->windows().at(0));
        QVERIFY(instruments->picksLink()->isOnlyPicks());
        QCOMPARE(keysOf(instruments->model()), kept);
        auto* picks = dynamic_cast<PicksWindow*>(second->windows().at(1)->view()->currentView());
        QCOMPARE(qobject_cast<FilterRecordsModel*>(picks->view()->model())->toTextList(), kept);
    }

    // The list's rows offer the instrument commands: a menu on a row outside the selection acts on that row alone
    // (its instrument named, quotes the default), and a double click opens its quotes. The columns, sized when
    // the list opened empty, take the width of the first rows.
    void theListsRowsOfferTheInstrumentCommands()
    {
        auto window = terminal();
        TableWindow* instruments = TerminalWindow::tableView(window->openWindow(QStringLiteral("instruments")));
        auto* picks = dynamic_cast<PicksWindow*>(window->openWindow(QStringLiteral("picks"))->view()->currentView());
        QTableView* list = picks->view();
        const int emptyWidth = list->columnWidth(1);
        const TableIndexModel* all = instruments->model();
        select(instruments->view(), { 2, 4 });
        QMenu menu;
        menuAction(instruments, 2, QStringLiteral("Добавить в 'Мои инструменты'"), &menu)->trigger();
        QCOMPARE(list->model()->rowCount(), 2);
        QVERIFY(list->columnWidth(1) > emptyWidth);

        // A right click as the trader makes it: the row under the pointer, not one a title's height off.
        select(list, { 0 });
        const QRect second = list->visualRect(list->model()->index(1, 1));
        QContextMenuEvent click(
            QContextMenuEvent::Mouse, second.center(), list->viewport()->mapToGlobal(second.center()));
        QApplication::sendEvent(list->viewport(), &click);
        auto* rowMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(rowMenu);
        QCOMPARE(list->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(list->selectionModel()->selectedRows().first().row(), 1);
        const QString name = all->at(4).data(QStringLiteral("sec_name")).toString();
        QStringList bold;
        for (const QAction* action : rowMenu->actions()) {
            if (action->font().bold())
                bold << action->text();
        }
        rowMenu->close();
        QCOMPARE(bold, QStringList { QStringLiteral("Открыть котировки %1").arg(name) });

        QVERIFY(picks->securityActions()->defaultAction()->isEnabled());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());
        const QList<QuotesWindow*> quotes = window->findChildren<QuotesWindow*>();
        QCOMPARE(quotes.size(), 1);
        QCOMPARE(quotes.first()->windowTitle(), QStringLiteral("Котировки %1").arg(name));
    }

    // "Снимок" opens beside the window a copy of its rows in its columns: the copy reads as the window did, and
    // keeps its rows while the window's come, go and move.
    void snapshotKeepsItsRowsWhileTheWindowMoves()
    {
        auto window = terminal();
        HostWindow* host = window->openWindow(QStringLiteral("orders"));
        TableWindow* orders = TerminalWindow::tableView(host);
        const TableIndexModel* live = orders->model();
        QList<Record> taken;
        for (int row = 0; row < live->rowCount(); ++row)
            taken << live->at(row);
        const QStringList takenKeys = keysOf(live);
        QMenu menu;
        QAction* snapshot = menuAction(orders, 0, QStringLiteral("Снимок"), &menu);
        QVERIFY(snapshot);
        snapshot->trigger();
        auto* copy = window->findChild<SnapshotWindow*>();
        QVERIFY(copy && copy->isVisible());
        new QAbstractItemModelTester(copy->model(), QAbstractItemModelTester::FailureReportingMode::Fatal, copy);
        QCOMPARE(window->findChild<QMdiArea*>()->subWindowList().size(), 2);
        QHeaderView* liveHeader = orders->view()->header();
        QHeaderView* copyHeader = copy->view()->header();
        QCOMPARE(copy->model()->columnCount(), live->columnCount());
        for (int visual = 0; visual < live->columnCount(); ++visual) {
            const int column = liveHeader->logicalIndex(visual);
            QCOMPARE(copyHeader->logicalIndex(visual), column);
            QCOMPARE(copyHeader->isSectionHidden(column), liveHeader->isSectionHidden(column));
            QCOMPARE(copy->model()->index(0, column).data(), live->index(0, column).data());
        }
        m_feed->step(400);
        QVERIFY(keysOf(live) != takenKeys);
        QCOMPARE(copy->model()->rowCount(), taken.size());
        for (int row = 0; row < taken.size(); ++row)
            QCOMPARE(copy->model()->recordByIndex(copy->model()->index(row, 0)), taken.at(row));
        const int balance = live->columnIndex(QStringLiteral("balance"));
        const QModelIndex first = copy->model()->index(0, balance);
        QCOMPARE(first.data(), live->index(live->indexOf(taken.first()), balance).data());
    }

    // The base asset filter of the instruments window is a check list of the base assets the instruments have:
    // its choice filters the window, and its marks stay while the instruments gain and lose base assets.
    void baseAssetsCheckListFiltersAndKeepsItsMarks()
    {
        auto window = terminal();
        TableWindow* instruments = TerminalWindow::tableView(window->openWindow(QStringLiteral("instruments")));
        RowFiltersModel* filters = instruments->model()->filtersModel();
        BaseAssetsFilter* filter = nullptr;
        for (Filter* f : filters->filters())
            filter = filter ? filter : qobject_cast<BaseAssetsFilter*>(f);
        QVERIFY(filter);
        std::unique_ptr<QWidget> widget(filter->createFilterWidget(nullptr));
        auto* editor = qobject_cast<BaseAssetsEditor*>(widget.get());
        filter->init(editor);
        BaseAssetsList* list = editor->list();
        const QStringList assets = list->values();
        QVERIFY(assets.size() >= 3);
        QVERIFY(list->allItemsChecked());
        QVERIFY(list->setData(list->index(0), Qt::Unchecked, Qt::CheckStateRole));
        // Applied as the settings dialog's filters page applies its editors.
        QList<QWidget*> editors;
        for (Filter* f : filters->filters())
            editors << (f == filter ? editor : nullptr);
        filters->apply(editors);
        QVERIFY(filter->isEnabled());
        const int base = instruments->model()->columnIndex(QStringLiteral("base_code"));
        QVERIFY(instruments->model()->rowCount() > 0);
        for (int row = 0; row < instruments->model()->rowCount(); ++row)
            QVERIFY(instruments->model()->at(row).data(base).toString() != assets.first());

        // The instruments of the second base asset leave, a new base asset comes: the list follows, the first
        // stays unchecked.
        Table* securities = m_market->table(QStringLiteral("securities"));
        RecordsTrans trans(securities);
        Record newcomer;
        for (const Record& r : *securities->masterIndex()) {
            if (r.data(base).toString() == assets.at(1))
                RecordUpdater(r, trans).remove();
            else if (newcomer.isNull())
                newcomer = r.clone();
        }
        newcomer.data(QStringLiteral("sec_id")) = qint64(987654);
        newcomer.data(base) = QStringLiteral("ZZZ");
        RecordUpdater(newcomer, trans);
        trans.commit();
        QStringList now = assets;
        now.removeAt(1);
        now << QStringLiteral("ZZZ");
        QCOMPARE(list->values(), now);
        QCOMPARE(list->checkedValues(), now.mid(1));
    }
};

QTEST_MAIN(tst_Picks)
#include "tst_picks.moc"
