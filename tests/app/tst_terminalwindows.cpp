#include "actions/securityactions.h"
#include "core/db/appsettings.h"
#include "core/db/mapsettings.h"
#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/host/directories/accountdirectory.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/editors/numbereditor.h"
#include "core/host/filters/selectfilter.h"
#include "core/host/schema/hostschema.h"
#include "core/host/selectors/accountselectorbox.h"
#include "core/host/widgets/colorbutton.h"
#include "core/host/widgets/confirmationdialog.h"
#include "core/host/widgets/filterlineedit.h"
#include "delegates/private/viewscolorwidget.h"
#include "delegates/viewscolormanager.h"
#include "delegates/viewscolorpage.h"
#include "dialoganswers.h"
#include "filters/enumfilter.h"
#include "filters/rowfiltersmodel.h"
#include "filters/widgets/quantityfilterwidget.h"
#include "models/tableindexmodel.h"
#include "orders/addorder.h"
#include "orders/addordershortdialog.h"
#include "orders/droporderdialog.h"
#include "orders/moveorderdialog.h"
#include "orders/private/futorder.h"
#include "orders/private/moveorder.h"
#include "recordfields.h"
#include "sessionstore.h"
#include "settingsdialog.h"
#include "terminalfixture.h"
#include "traderhands.h"
#include "treegroupswindow.h"
#include "trees/view/private/treegroupsheaderview.h"
#include "trees/view/treegroupsview.h"
#include "treewindow.h"
#include "views/filtering/filterstoolbar.h"
#include "views/find/itemviewfindtoolbar.h"
#include "views/headerview.h"
#include "views/iviewsettingspage.h"
#include "views/qtreefastview.h"
#include "views/readinghold/heldrowsmodel.h"
#include "views/readinghold/readinghold.h"

#include <QCheckBox>
#include <QCursor>
#include <QHeaderView>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

using TraderHands::rightClick;

namespace {

// A row of the window whose record `differs` from the records of the rows around it (two up, two down), so
// that a menu for a neighbour cannot pass for its own; -1 when there is none.
int distinctRow(TableWindow* window, const std::function<bool(const Record&, const Record&)>& differs)
{
    TableFastViewWithFilter* view = window->view();
    const int rows = view->QAbstractItemView::model()->rowCount();
    for (int row = 3; row + 3 < rows && row < 40; ++row) {
        const Record here = view->recordAt(view->QAbstractItemView::model()->index(row, 0));
        bool alone = true;
        for (int other = row - 2; other <= row + 2 && alone; ++other) {
            if (other != row)
                alone = differs(here, view->recordAt(view->QAbstractItemView::model()->index(other, 0)));
        }
        if (alone)
            return row;
    }
    return -1;
}

QModelIndex cell(TableWindow* window, int row, const char* column)
{
    return window->view()->QAbstractItemView::model()->index(row, window->model()->columnIndex(QLatin1String(column)));
}

} // namespace

// The terminal's own windows, composed as a trader gets them, driven by mouse and keys while the feed runs.
class tst_TerminalWindows : public QObject, private TerminalFixture
{
    Q_OBJECT

private:
    // The terminal started again from the settings it stored.
    void restart()
    {
        QVERIFY(m_window->storeSession());
        m_window.reset();
        m_window = terminal();
        QVERIFY(m_window->restoreSession());
    }

private Q_SLOTS:
    void init() { startTradingTerminal(SampleMarketOptions::sized(300, 3000, 7), 2000); }
    void cleanup() { stopTradingTerminal(); }

    // With the filter bar above the rows, a right click on an order offers to change that order and the change
    // dialog opens for it.
    void menusAndDoubleClicksActOnTheRowUnderThePointer()
    {
        TableWindow* orders = table(*m_window, QStringLiteral("orders"));
        QVERIFY(orders->filtersToolBar()->isVisible());
        // An order of an instrument with cents, its price stored without them ("10.5")
        const auto active = [](const Record& r) {
            return number(r, "status") == HostSchema::StatusActive
                && SecurityDirectory::i()->decimalsById(
                       int(number(r, "stock_id")), int(number(r, "board_id")), number(r, "sec_id"))
                >= 2;
        };
        const int row = distinctRow(orders, [&](const Record& a, const Record& b) { return active(a) && a != b; });
        QVERIFY(row >= 0);
        const Record order = orders->view()->recordAt(cell(orders, row, "price"));
        {
            RecordsTrans trans(m_market->table(QStringLiteral("orders")));
            RecordUpdater(order, trans).data(QStringLiteral("price")) = decimal::fromString(QStringLiteral("10.5"));
            trans.commit();
        }
        QCOMPARE(orders->view()->rowOf(order), row);
        const QString orderNumber = text(order, "order_num");
        const QStringList texts = rightClick(orders->view()->viewport(),
            TraderHands::cellPoint(orders->view(), cell(orders, row, "price")), QStringLiteral("Изменить заявку"));
        QVERIFY2(
            texts.contains(QStringLiteral("Изменить заявку %1...").arg(orderNumber)), qPrintable(texts.join(" | ")));
        MoveOrderDialog* dialog = nullptr;
        QTRY_VERIFY((dialog = shown<MoveOrderDialog>()));
        QCOMPARE(dialog->property("OrderId").toString(), orderNumber);
        // with the order's price as the window shows it
        QCOMPARE(dialog->findChild<MoveOrder*>()->priceEditor()->text(), cell(orders, row, "price").data().toString());
        delete dialog;

        // Held, the row shows the state its menu acts on: withdrawn meanwhile, it reads so and offers no change.
        orders->view()->readingHold()->setEnabled(true);
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(orders->view()->viewport(), &enter);
        QVERIFY(orders->view()->readingHold()->model()->isHeld());
        {
            RecordsTrans trans(m_market->table(QStringLiteral("orders")));
            RecordUpdater(order, trans).data(QStringLiteral("status")) = HostSchema::StatusCancelled;
            trans.commit();
        }
        m_feed->step(500);
        const QModelIndex held = cell(orders, orders->view()->rowOf(order), "price");
        orders->view()->scrollToRow(held);
        QCOMPARE(cell(orders, held.row(), "status").data().toString(), QStringLiteral("Снята"));
        const QStringList heldTexts
            = rightClick(orders->view()->viewport(), TraderHands::cellPoint(orders->view(), held));
        QVERIFY2(!heldTexts.join('|').contains(QStringLiteral("Изменить заявку")), qPrintable(heldTexts.join(" | ")));
    }

    // In every window whose rows name an instrument, tables and trees, a right click on a row (the find bar open
    // above or under the rows) offers the commands on that row's instrument, not on the row chosen before.
    void instrumentCommandsNameTheRowUnderThePointer()
    {
        struct Window
        {
            const char* kind;
            const char* view;
        };
        for (const Window& each : { Window { "instruments", "Котировки" }, Window { "orders", "" },
                 Window { "deals", "" }, Window { "positions", "" }, Window { "positions", "По счетам" },
                 Window { "instruments", "По режимам" }, Window { "instruments", "Опционы по сериям" } }) {
            const QString name = QStringLiteral("%1 %2").arg(QLatin1String(each.kind), QString::fromUtf8(each.view));
            HostWindow* host = open(*m_window, QLatin1String(each.kind), QString::fromUtf8(each.view));
            QAbstractItemView* rows = nullptr;
            SecurityActions* actions = nullptr;
            IView* shown = host->view()->currentView();
            if (auto* window = dynamic_cast<TableWindow*>(shown))
                rows = window->view(), actions = window->securityActions();
            else if (auto* tree = dynamic_cast<TreeWindow*>(shown))
                rows = tree->view(), actions = tree->securityActions();
            else if (auto* groups = dynamic_cast<TreeGroupsWindow*>(shown))
                rows = groups->view(), actions = groups->securityActions();
            QVERIFY2(rows && actions, qPrintable(name));
            if (auto* tree = qobject_cast<QTreeView*>(rows))
                tree->expandAll();
            rows->setFocus();
            QTest::keyClick(rows, Qt::Key_F, Qt::ControlModifier);
            // What the commands name with `row` chosen.
            const auto offered = [&](const QModelIndex& row) {
                rows->selectionModel()->setCurrentIndex(
                    row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
                QMenu menu;
                actions->addToMenu(&menu);
                return menu.actions().isEmpty() ? QString() : menu.actions().first()->text();
            };
            // The first leaf row, and one some rows below it that names another instrument.
            QModelIndex first = rows->indexAt(QPoint(2, 2));
            while (first.isValid() && rows->model()->hasChildren(first))
                first = rows->model()->index(0, 0, first);
            const QString before = offered(first);
            QVERIFY2(!before.isEmpty(), qPrintable(name));
            QModelIndex target;
            QString expected;
            for (int step = 0, y = rows->visualRect(first).center().y(); step < 30 && expected.isEmpty(); ++step) {
                y += rows->visualRect(first).height();
                const QModelIndex below = rows->indexAt(QPoint(rows->visualRect(first).center().x(), y));
                if (!below.isValid() || rows->model()->hasChildren(below) || step < 3)
                    continue;
                const QString text = offered(below);
                if (!text.isEmpty() && text != before)
                    target = below, expected = text;
            }
            QVERIFY2(target.isValid(), qPrintable(name));
            offered(first);
            const QPoint at = TraderHands::cellPoint(rows, target);
            QTest::mousePress(rows->viewport(), Qt::RightButton, {}, at);
            QTest::mouseRelease(rows->viewport(), Qt::RightButton, {}, at);
            const QStringList texts = rightClick(rows->viewport(), at);
            QVERIFY2(texts.contains(expected), qPrintable(name + QLatin1String(": ") + texts.join(" | ")));
            QVERIFY2(!texts.contains(before), qPrintable(name));
        }
    }

    // By keyboard while the feed runs at 20,000 changes a second: F2 over an instrument opens the new order form
    // on it; account, price, quantity, Enter and Enter send the order, and it shows in the orders window. A double
    // click on an order enters a new order in that order's instrument, not a neighbour's.
    void keyboardOrderEntryUnderTheFeed()
    {
        m_feed->setRate(20000);
        const Record future = instrument(SampleMarket::FuturesBoard);
        FutOrder* form = newOrderFor(*m_window, future);
        QVERIFY(form);
        const QPointer<QWidget> open(form->window());
        QCOMPARE(form->securityId(), number(future, "sec_id"));
        const QString account = AccountDirectory::i()->clients().value(1);
        const QString price = future.data(QStringLiteral("min_price")).toDecimal().toString();
        form->accountBox()->setFocus();
        QTRY_VERIFY(form->accountBox()->hasFocus());
        // A key at a time, the feed running between the keys.
        for (const QString& field : { account, price, QStringLiteral("7") }) {
            QTest::keyClicks(QApplication::focusWidget(), field, {}, 20);
            if (field != QStringLiteral("7"))
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(form->account(), account);
        answerDialog<ConfirmationDialog>([](ConfirmationDialog* d) { QTest::keyClick(d, Qt::Key_Return); });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(!open);
        QTRY_COMPARE(m_sent.size(), 1);
        QCOMPARE(m_sent.first().values().value(QStringLiteral("Account")).toString(), account);
        QCOMPARE(m_sent.first().values().value(QStringLiteral("Quantity")).toString(), QStringLiteral("7"));
        TableWindow* orders = table(*m_window, QStringLiteral("orders"));
        const auto mine = [&] {
            for (int row = 0; row < orders->model()->rowCount(); ++row) {
                const Record& r = orders->model()->at(row);
                if (text(r, "account") == account && number(r, "quantity") == 7 && text(r, "price") == price)
                    return row;
            }
            return -1;
        };
        QTRY_VERIFY(mine() >= 0);
        QVERIFY(!notified(QStringLiteral("отклонен")));

        const int row = distinctRow(orders, [](const Record& a, const Record& b) {
            return number(a, "sec_id") != number(b, "sec_id") && number(a, "board_id") == SampleMarket::FuturesBoard;
        });
        QVERIFY(row >= 0);
        const QPoint at = TraderHands::cellPoint(orders->view(), cell(orders, row, "price"));
        const Record clicked = orders->view()->recordAt(cell(orders, row, "price"));
        // A double click is a click and then the double click, in one go as the platform delivers them.
        QTest::mouseClick(orders->view()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(orders->view()->viewport(), Qt::LeftButton, {}, at);
        AddOrderShortDialog* dialog = nullptr;
        QTRY_VERIFY((dialog = shown<AddOrderShortDialog>()));
        QCOMPARE(dialog->form()->securityId(), number(clicked, "sec_id"));
        delete dialog;
    }

    // Without a connection every order command, from the menu bar, F2's action or a row's menu, warns and opens
    // nothing.
    void orderCommandsNeedAConnection()
    {
        m_feed->stop();
        QAction* connection = nullptr;
        for (QAction* action : m_window->findChildren<QAction*>())
            connection = action->text() == QStringLiteral("Подключение к бирже") ? action : connection;
        QVERIFY(connection);
        connection->trigger();
        int warnings = 0;
        const auto warned = [&warnings] {
            answerDialog<QMessageBox>([&warnings](QMessageBox* box) {
                warnings += box->text().startsWith(QStringLiteral("Выполнить действие невозможно"));
                box->button(QMessageBox::Ok)->click();
            });
        };
        for (const char* command : { "Новая заявка...", "Запрос ЗРБ...", "Снять все заявки..." }) {
            for (QAction* action : m_window->findChildren<QAction*>()) {
                if (action->text() == QString::fromUtf8(command)) {
                    warned();
                    action->trigger();
                    break;
                }
            }
        }
        TableWindow* orders = table(*m_window, QStringLiteral("orders"));
        const auto active = [](const Record& r) { return number(r, "status") == HostSchema::StatusActive; };
        const int row = distinctRow(orders, [&](const Record& a, const Record& b) { return active(a) && a != b; });
        QVERIFY(row >= 0);
        // From the rows' menu too: the warning's own event loop must not take the menu away under its click.
        const QPoint at = TraderHands::cellPoint(orders->view(), cell(orders, row, "price"));
        QTest::mouseClick(orders->view()->viewport(), Qt::LeftButton, {}, at);
        QTest::qWait(10); // the row commands follow the selection a pass of the event loop later
        for (const QString& command : { QStringLiteral("Поставить заявку"), QStringLiteral("Изменить заявку") }) {
            warned();
            rightClick(orders->view()->viewport(), at, command);
        }
        QTRY_COMPARE(warnings, 5);
        QVERIFY(!shown<AddOrderShortDialog>() && !shown<DropOrdersDialog>() && !shown<MoveOrderDialog>());
    }

    // In every table window the terminal opens, each filter of the catalogue sits on the column that shows its
    // field (found by the column's name, whatever columns the window adds): the header's menu there offers it,
    // the cell's menu offers the row's value, and taking that value turns that column's title bold, no other.
    void filtersSitOnTheirFieldsColumnInEveryWindow()
    {
        m_feed->stop();
        const QList<QPair<QString, QString>> windows { { "orders", {} }, { "deals", {} }, { "positions", {} },
            { "instruments", QStringLiteral("Котировки") }, { "instruments", QStringLiteral("Справочник") } };
        for (const auto& [kind, viewTitle] : windows) {
            TableWindow* window = table(*m_window, kind, viewTitle);
            QVERIFY(window);
            // Held rows are the view's own model: its menus must still find each row's record.
            window->view()->readingHold()->setEnabled(true);
            RowFiltersModel* filters = window->model()->filtersModel();
            QVERIFY(filters->rowCount() > 0);
            for (Filter* filter : filters->filters()) {
                const QString where = kind + QLatin1Char('/') + viewTitle + QLatin1Char('/') + filter->name();
                const int column = window->model()->columnIndex(window->model()->table()->columnName(filter->column()));
                QVERIFY2(column >= 0, qPrintable(where));
                if (window->view()->header()->isSectionHidden(column))
                    continue;
                window->view()->scrollTo(window->view()->QAbstractItemView::model()->index(0, column));
                QHeaderView* header = window->view()->header();
                const QStringList headerMenu = rightClick(
                    header->viewport(), QPoint(header->sectionViewportPosition(column) + 4, header->height() / 2));
                auto* select = qobject_cast<SelectFilter*>(filter);
                auto* enumeration = qobject_cast<EnumFilter*>(filter);
                const QString offer = select ? select->selectActionName()
                    : enumeration ? QStringLiteral("Фильтры/") + enumeration->keyToText(enumeration->keys().first())
                                  : QString();
                QVERIFY2(
                    offer.isEmpty() || headerMenu.contains(offer), qPrintable(where + ": " + headerMenu.join(" | ")));
                auto* value = qobject_cast<ValueFilter*>(filter);
                if (!value || select)
                    continue;
                const QModelIndex cell = window->view()->QAbstractItemView::model()->index(1, column);
                const Record row = window->view()->recordAt(cell);
                const KeyValue key = value->keyFromRecord(row);
                const QString take = enumeration ? QStringLiteral("Только '%1'").arg(enumeration->keyToText(key))
                                                 : QStringLiteral("Установить фильтр '%1'").arg(value->keyToText(key));
                const QStringList cellMenu
                    = rightClick(window->view()->viewport(), TraderHands::cellPoint(window->view(), cell), take);
                if (enumeration && enumeration->keys().size() < 2)
                    continue;
                QVERIFY2(cellMenu.contains(take), qPrintable(where + ": " + cellMenu.join(" | ")));
                QTRY_VERIFY2(filter->isEnabled(), qPrintable(where));
                for (int c = 0; c < window->model()->columnCount(); ++c) {
                    const bool bold
                        = window->model()->headerData(c, Qt::Horizontal, Qt::FontRole).value<QFont>().bold();
                    QVERIFY2(bold == (c == column), qPrintable(where + QStringLiteral(" bold at %1").arg(c)));
                }
                rightClick(window->view()->viewport(),
                    TraderHands::cellPoint(
                        window->view(), window->view()->QAbstractItemView::model()->index(0, column)),
                    QStringLiteral("Снять все фильтры"));
                QTRY_VERIFY2(!filter->isEnabled(), qPrintable(where));
            }
        }
    }

    // One change of a filter, from the bar, the header's menu or the settings page, rebuilds the window once.
    void oneFilterChangeRebuildsOnce()
    {
        TableWindow* orders = table(*m_window, QStringLiteral("orders"));
        QTRY_VERIFY(orders->model()->rowCount() > 0);
        auto* quantity = orders->filtersToolBar()->getWidget()->findChild<QuantityFilterWidget*>();
        int builds = orders->model()->buildNumber();
        quantity->spin()->setValue(20);
        quantity->check()->setChecked(true);
        QTest::qWait(100);
        QCOMPARE(orders->model()->buildNumber(), builds + 1);
        builds = orders->model()->buildNumber();
        const QModelIndex side = cell(orders, 0, "buysell");
        rightClick(orders->view()->viewport(), TraderHands::cellPoint(orders->view(), side), QStringLiteral("Только"));
        QTest::qWait(100);
        QCOMPARE(orders->model()->buildNumber(), builds + 1);
        builds = orders->model()->buildNumber();
        rightClick(orders->view()->viewport(), TraderHands::cellPoint(orders->view(), cell(orders, 0, "quantity")),
            QStringLiteral("Снять все фильтры"));
        QTest::qWait(100);
        QCOMPARE(orders->model()->buildNumber(), builds + 1);
    }

    // After a restart every window shows what was stored: the quotes sorted by the instrument id they do not
    // show, the board tree with its tree column (each column stored once), a current cell whose column is
    // hidden now in the first shown column; the tree's columns can be changed from its header and its page.
    void restoredWindowsShowWhatWasStored()
    {
        QString quotesSort;
        QString currentText;
        {
            TableWindow* quotes = table(*m_window, QStringLiteral("instruments"), QStringLiteral("Котировки"));
            quotesSort
                = quotes->model()->headerData(quotes->model()->sortColumn(), Qt::Horizontal, ColumnNameRole).toString();
            QCOMPARE(quotesSort, QStringLiteral("sec_id"));
            TableWindow* orders = table(*m_window, QStringLiteral("orders"));
            QHeaderView* header = orders->view()->header();
            const int first = header->logicalIndex(0);
            orders->view()->setCurrentIndex(cell(orders, 4, "price"));
            currentText = orders->view()->currentText();
            header->hideSection(orders->model()->columnIndex(QStringLiteral("price")));
            header->hideSection(first); // the leftmost column too
            // The instruments window left on its board tree, its tree column hidden as an older layout stored it.
            open(*m_window, QStringLiteral("instruments"), QStringLiteral("По режимам"));
            auto* tree
                = dynamic_cast<TreeWindow*>(m_window->windowOf(QStringLiteral("instruments"))->view()->currentView());
            QVERIFY(tree);
            tree->view()->header()->hideSection(0);
        }
        restart();
        if (QTest::currentTestFailed())
            return;
        TableWindow* orders = TerminalWindow::tableView(m_window->windowOf(QStringLiteral("orders")));
        QCOMPARE(orders->view()->currentText(), currentText);
        QVERIFY(!orders->view()->header()->isSectionHidden(orders->view()->currentColumn()));
        QCOMPARE(orders->view()->currentColumn(), HeaderView::getVisibleColumns(orders->view()->header()).first());
        auto* tree
            = dynamic_cast<TreeWindow*>(m_window->windowOf(QStringLiteral("instruments"))->view()->currentView());
        QVERIFY(tree);
        QVERIFY(!tree->view()->header()->isSectionHidden(0));
        QCOMPARE(tree->view()->header()->logicalIndex(0), 0);
        QVERIFY(!tree->view()->model()->index(0, 0).data().toString().isEmpty());
        MapSettings stored;
        tree->store(stored);
        const QStringList names = stored.value(QStringLiteral("all_columns")).toStringList();
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
        // The tree's header menu offers its columns; its settings pages include the columns page.
        QHeaderView* header = tree->view()->header();
        const QStringList menu
            = rightClick(header->viewport(), QPoint(header->sectionViewportPosition(0) + 4, header->height() / 2));
        QVERIFY(menu.size() > 2);
        const QList<IViewSettingsPage*> pages = tree->getSettingsPages(this);
        QVERIFY(std::any_of(pages.begin(), pages.end(),
            [](IViewSettingsPage* p) { return p->displayName() == QStringLiteral("Столбцы"); }));
        qDeleteAll(pages);
        TableWindow* quotes = table(*m_window, QStringLiteral("instruments"), QStringLiteral("Котировки"));
        QCOMPARE(quotes->model()->headerData(quotes->model()->sortColumn(), Qt::Horizontal, ColumnNameRole).toString(),
            quotesSort);
    }

    // The main window opens no larger than the screen's available area; a place stored on a larger screen is
    // not taken back.
    void mainWindowStaysWithinTheScreen()
    {
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        // The whole window, its frame included: the title and status bars in reach.
        const auto fits = [&] { return available.contains(m_window->frameGeometry()); };
        open(*m_window, QStringLiteral("orders"));
        m_window->resize(available.size() + QSize(400, 300));
        QVERIFY(m_window->storeSession());
        m_window.reset();
        m_window = std::make_unique<TerminalWindow>(&m_market->core, m_feed.get());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QVERIFY(fits());
        QVERIFY(m_window->restoreSession());
        QVERIFY(fits());
    }

    // Restored before the terminal first shows, as the program starts, the windows come back where they were.
    void windowsComeBackWhereTheyWere()
    {
        const auto places = [this] {
            QStringList places;
            for (HostWindow* window : m_window->windows()) {
                const QRect place = window->geometry();
                places << QStringLiteral("%1 %2,%3 %4x%5")
                              .arg(window->windowTitle())
                              .arg(place.x())
                              .arg(place.y())
                              .arg(place.width())
                              .arg(place.height());
            }
            return places;
        };
        m_window->openAll();
        mainMenuAction(*m_window, QStringLiteral("Упорядочить"))->trigger();
        const QStringList stored = places();
        QVERIFY(m_window->storeSession());
        m_window.reset();
        m_window = std::make_unique<TerminalWindow>(&m_market->core, m_feed.get());
        m_window->setWindowState(Qt::WindowNoState);
        m_window->resize(1280, 860);
        QVERIFY(m_window->restoreSession());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QCOMPARE(places(), stored);
    }

    // Catching up after holding the rows keeps the horizontal place; a newest-first window at the top after a
    // restart stays at the top as new rows arrive.
    void viewsKeepTheirPlace()
    {
        TableWindow* orders = table(*m_window, QStringLiteral("orders"));
        orders->view()->readingHold()->setEnabled(true);
        QScrollBar* across = orders->view()->horizontalScrollBar();
        QTRY_VERIFY(across->maximum() > 0);
        // A cell clicked on the left, then the rows scrolled right past it: catching up must not bring it back.
        const QModelIndex clicked = orders->view()->QAbstractItemView::model()->index(
            1, HeaderView::getVisibleColumns(orders->view()->header()).first());
        QTest::mouseClick(
            orders->view()->viewport(), Qt::LeftButton, {}, TraderHands::cellPoint(orders->view(), clicked));
        QCOMPARE(orders->view()->currentIndex(), clicked);
        across->setValue(across->maximum() / 2);
        QVERIFY(!orders->view()->viewport()->rect().intersects(orders->view()->visualRect(clicked)));
        const int place = across->value();
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(orders->view()->viewport(), &enter);
        m_feed->step(500);
        QVERIFY(orders->view()->readingHold()->model()->pendingChanges() > 0);
        orders->view()->readingHold()->catchUp();
        QCOMPARE(across->value(), place);
        // A view read at the top goes back to the top and follows the newest orders, wherever the current row went.
        QScrollBar* down = orders->view()->verticalScrollBar();
        QCOMPARE(down->value(), 0);
        const auto newestShown = [&] {
            Table* all = m_market->table(QStringLiteral("orders"));
            return number(orders->view()->recordAt(cell(orders, 0, "price")), "order_num")
                == number(all->masterIndex()->at(all->count() - 1), "order_num");
        };
        QVERIFY(newestShown());
        // So does one re-sorted while held, back to newest first.
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(orders->view()->viewport(), &leave);
        QCoreApplication::sendEvent(orders->view()->viewport(), &enter);
        m_feed->step(500);
        QVERIFY(orders->view()->readingHold()->model()->isHeld());
        const int byNumber = orders->model()->columnIndex(QStringLiteral("order_num"));
        orders->view()->sortByColumn(byNumber, Qt::AscendingOrder);
        orders->view()->sortByColumn(byNumber, Qt::DescendingOrder);
        m_feed->step(500);
        QCOMPARE(down->value(), 0);
        QVERIFY(newestShown());

        // Rows held by the keyboard are let go once the pointer is over another window, even when no leave event
        // came (a popup or another window took it).
        QCursor::setPos(orders->view()->viewport()->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(orders->view()->viewport(), &enter);
        orders->view()->setFocus();
        QTest::keyClick(orders->view(), Qt::Key_Home);
        m_feed->step(500);
        QVERIFY(orders->view()->readingHold()->model()->isHeld());
        QCursor::setPos(m_window->menuBar()->mapToGlobal(m_window->menuBar()->rect().center()));
        QTRY_VERIFY(!orders->view()->readingHold()->model()->isHeld());
        orders->view()->readingHold()->setEnabled(false);

        // The current order far below the first screen, the rows scrolled back to the top.
        orders->view()->setCurrentIndex(cell(orders, 200, "price"));
        orders->view()->verticalScrollBar()->setValue(0);
        restart();
        if (QTest::currentTestFailed())
            return;
        orders = TerminalWindow::tableView(m_window->windowOf(QStringLiteral("orders")));
        QTRY_VERIFY(orders->view()->isVisible());
        QCOMPARE(orders->view()->verticalScrollBar()->value(), 0);
        m_feed->step(500);
        m_feed->step(500);
        QTest::qWait(50);
        QCOMPARE(orders->view()->verticalScrollBar()->value(), 0);
        const qint64 newest = number(orders->view()->recordAt(cell(orders, 0, "price")), "order_num");
        QCOMPARE(newest,
            number(m_market->table(QStringLiteral("orders"))
                       ->masterIndex()
                       ->at(m_market->table(QStringLiteral("orders"))->count() - 1),
                "order_num"));
    }

    // The settings dialog with a tree window in use shows the colour pages and the tree's columns page; the
    // orders colours are still there when it opens again over the orders window, and the rows of the orders
    // window are painted on that page's buy and sell colours.
    void settingsDialogShowsItsPagesWhateverWindowIsInUse()
    {
        QStringList seen;
        const auto openSettings = [&] {
            answerDialog<SettingsDialog>([&](SettingsDialog* dialog) {
                seen.clear();
                for (int page = 0; page < dialog->pageCount(); ++page)
                    seen << dialog->pageTitle(page);
                dialog->reject();
            });
            mainMenuAction(*m_window, QStringLiteral("Настройки..."))->trigger();
        };
        open(*m_window, QStringLiteral("instruments"), QStringLiteral("По режимам"));
        openSettings();
        QVERIFY2(seen.contains(QStringLiteral("Заявки")) && seen.contains(QStringLiteral("Столбцы")),
            qPrintable(seen.join(" | ")));
        open(*m_window, QStringLiteral("orders"));
        openSettings();
        QVERIFY2(seen.contains(QStringLiteral("Заявки")) && seen.contains(QStringLiteral("Фильтры")),
            qPrintable(seen.join(" | ")));

        m_feed->stop();
        TableWindow* orders = table(*m_window, QStringLiteral("orders"));
        QAbstractItemView* view = orders->view();
        const QImage shot = view->viewport()->grab().toImage();
        using Colors = ViewsColorManager;
        const QMap<QChar, QColor> wanted {
            { 'B', Colors::instance()->color(Colors::Orders, Colors::BackgroundRole, Colors::BuyColor) },
            { 'S', Colors::instance()->color(Colors::Orders, Colors::BackgroundRole, Colors::SellColor) }
        };
        QMap<QChar, QColor> painted;
        for (int row = 0; row < 20; ++row) {
            const QModelIndex shown
                = view->indexAt(QPoint(2, view->visualRect(cell(orders, row, "price")).center().y()));
            if (view->selectionModel()->isRowSelected(row, {}) || row == view->currentIndex().row()
                || shown.row() != row)
                continue;
            const Record order = orders->view()->recordAt(shown);
            painted[text(order, "buysell").at(0)] = shot.pixelColor(2, view->visualRect(shown).top() + 1);
        }
        QCOMPARE(painted.value('B'), wanted.value('B'));
        QCOMPARE(painted.value('S'), wanted.value('S'));
    }
};

QTEST_MAIN(tst_TerminalWindows)
#include "tst_terminalwindows.moc"
