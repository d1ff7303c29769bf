#include "actions/securityactions.h"
#include "core/db/appsettings.h"
#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/directories/sessiondirectory.h"
#include "core/host/embedded/embeddedconnectionsmanager.h"
#include "core/host/filters/filter.h"
#include "core/host/iwindowmanager.h"
#include "core/host/progress/progressstatus.h"
#include "core/host/widgets/filterlineedit.h"
#include "delegates/viewscolormanager.h"
#include "delegates/viewscolorpage.h"
#include "dialoganswers.h"
#include "events/tableeventalerts.h"
#include "export/dynamic/dynamicexporter.h"
#include "export/dynamic/private/dynamicexportermanagerdialog.h"
#include "export/importercolumnswizardpage.h"
#include "export/private/importercolumnswizard.h"
#include "filters/rowfiltersmodel.h"
#include "filters/widgets/loginfilterwidget.h"
#include "filters/widgets/quantityfilterwidget.h"
#include "hostwindow.h"
#include "importcommand.h"
#include "importrun.h"
#include "instruments/chartwindow.h"
#include "instruments/quoteswindow.h"
#include "instruments/securityinfowindow.h"
#include "instruments/volatilitywindow.h"
#include "limitsimportconvertor.h"
#include "limitswindow.h"
#include "loggedcategories.h"
#include "marketfixture.h"
#include "models/filterrecordsmodel.h"
#include "models/tableindexmodel.h"
#include "moneylimits.h"
#include "orders/addorder.h"
#include "orders/addordershortdialog.h"
#include "pickswindow.h"
#include "recordfields.h"
#include "recordingsoundplayer.h"
#include "sessionstore.h"
#include "settingsdialog.h"
#include "sim/generatorutil.h"
#include "sim/marketfeed.h"
#include "sim/tradeledger.h"
#include "tablewindow.h"
#include "terminalfixture.h"
#include "terminalgroupsmodel.h"
#include "terminalwindow.h"
#include "treegroupswindow.h"
#include "trees/treeindexmodel.h"
#include "trees/view/private/treegroupsheaderview.h"
#include "trees/view/private/treegroupsviewgroupcolset.h"
#include "trees/view/treegroupsview.h"
#include "treetext.h"
#include "treewindow.h"
#include "views/filtering/filterstoolbar.h"
#include "views/find/itemviewfindtoolbar.h"
#include "views/headersettings/private/tableheadersettingsform.h"
#include "views/headersettings/tableheadermodel.h"
#include "views/iviewfactory.h"
#include "views/qtreefastview.h"
#include "views/readinghold/readinghold.h"
#include "windows/proxyiview.h"
#include "windows/tablefastviewwithfilter.h"
#include "windows/viewwrapper.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QUndoStack>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace {

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The window's grouped view after a switch to the view titled `title`; null when it has none.
TreeGroupsWindow* groupsWindow(HostWindow* window, const char* title)
{
    for (QAction* action : window->view()->switcher()->actions()) {
        if (action->text() == QString::fromUtf8(title))
            action->trigger();
    }
    return dynamic_cast<TreeGroupsWindow*>(window->view()->currentView());
}

// A check box or group box of a dialog by its text.
template<typename T>
T* labelled(const QWidget* dialog, const char* text)
{
    for (T* box : dialog->findChildren<T*>()) {
        if (box->property(std::is_same<T, QGroupBox>::value ? "title" : "text").toString() == QString::fromUtf8(text))
            return box;
    }
    return nullptr;
}

QString describe(const TerminalWindow& terminal)
{
    QStringList windows;
    for (HostWindow* window : terminal.windows())
        windows << QStringLiteral("%1:%2:%3")
                       .arg(window->windowName(), window->windowTitle(),
                           QString::fromUtf8(window->view()->currentFactory()->key()));
    return windows.join(QStringLiteral(", "));
}

// What a progress display showed each time its bar was painted.
class PaintedProgress : public QObject
{
public:
    explicit PaintedProgress(QWidget* display)
        : m_bar(display->findChild<QProgressBar*>())
        , m_text(display->findChild<QLabel*>())
    {
        m_bar->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            values << m_bar->value();
            texts << m_text->text();
        }
        return false;
    }
    QList<int> values;
    QStringList texts;

private:
    QProgressBar* m_bar;
    QLabel* m_text;
};

// How often a view's viewport was painted between a model's reset signals, and how many resets there were.
class PaintsDuringReset : public QObject
{
public:
    PaintsDuringReset(QWidget* viewport, QAbstractItemModel* model)
    {
        viewport->installEventFilter(this);
        connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { m_resetting = true; });
        connect(model, &QAbstractItemModel::modelReset, this, [this] {
            m_resetting = false;
            ++resets;
        });
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_resetting)
            ++duringReset;
        return false;
    }
    int duringReset = 0;
    int resets = 0;

private:
    bool m_resetting = false;
};

} // namespace

// The demo terminal run in-process over a small market, with its settings in a temporary folder.
class tst_Terminal : public QObject, private TerminalFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init() { startTerminalFixture(); }
    void cleanup() { stopTerminalFixture(); }

    void windowsSortAndRunningExportComeBackAfterARestart()
    {
        const QString exported = QDir(m_config->path()).filePath(QStringLiteral("orders.csv"));
        int priceColumn = -1;
        {
            // Given a terminal with three windows, two of them orders; the second sorted by price, the
            // instruments shown as the reference, and the first exporting every second.
            auto first = terminal();
            QVERIFY(!first->restoreSession());
            HostWindow* orders = first->openWindow(QStringLiteral("orders"));
            HostWindow* instruments = first->openWindow(QStringLiteral("instruments"));
            HostWindow* sorted = first->openWindow(QStringLiteral("orders"));
            QVERIFY(orders && instruments && sorted);
            TableWindow* table = TerminalWindow::tableView(sorted);
            priceColumn = table->model()->columnIndex(QStringLiteral("price"));
            table->view()->header()->setSortIndicator(priceColumn, Qt::DescendingOrder);
            QCOMPARE(table->model()->sortColumn(), priceColumn);
            for (QAction* action : instruments->view()->switcher()->actions()) {
                if (action->text() == QStringLiteral("Справочник"))
                    action->trigger();
            }
            ViewWrapper* wrapper = TerminalWindow::tableView(orders)->wrapper();
            DynamicExporter* exporter = wrapper->dynamicExporter();
            exporter->setup(
                wrapper->createProxyModel(TerminalWindow::tableView(orders)->model(), wrapper->columnsExport()),
                exported, 1);
            exporter->start(0);
            QTRY_VERIFY(QFile::exists(exported));
            QCOMPARE(describe(*first),
                QStringLiteral("orders:Заявки:table, instruments:Инструменты:reference, orders:Заявки 2:table"));
            // When the user quits.
            first->close();
        }
        QVERIFY(QFile::exists(SessionStore::fileName()));

        // Then the next start opens the same windows, in the same views, sorted as they were.
        auto second = terminal();
        QVERIFY(second->restoreSession());
        QCOMPARE(describe(*second),
            QStringLiteral("orders:Заявки:table, instruments:Инструменты:reference, orders:Заявки 2:table"));
        const QList<HostWindow*> windows = second->windows();
        TableIndexModel* sortedModel = TerminalWindow::tableView(windows.at(2))->model();
        QCOMPARE(sortedModel->sortColumn(), priceColumn);
        QCOMPARE(sortedModel->sortOrder(), Qt::DescendingOrder);
        QCOMPARE(TerminalWindow::tableView(windows.at(0))->model()->sortColumn(),
            TerminalWindow::tableView(windows.at(0))->model()->columnIndex(QStringLiteral("order_num")));

        // And the export runs again, rewriting the file as the market moves.
        DynamicExporter* exporter = TerminalWindow::tableView(windows.at(0))->wrapper()->dynamicExporter();
        QVERIFY(exporter->isActive());
        QCOMPARE(exporter->fileName(), exported);
        QCOMPARE(exporter->interval(), 1);
        const QByteArray before = contents(exported);
        m_feed->step(200);
        QTRY_VERIFY_WITH_TIMEOUT(contents(exported) != before, 8000);
        QCOMPARE(contents(exported).count('\n'), TerminalWindow::tableView(windows.at(0))->model()->rowCount() + 1);

        // The export manager jumps to the exporting window and stops its export.
        windows.at(2)->bringToFront();
        DynamicExporterManagerDialog manager;
        const QModelIndex row = manager.view()->model()->index(0, 0);
        QCOMPARE(row.data().toString(), QStringLiteral("Заявки"));
        Q_EMIT manager.view()->activated(row);
        QCOMPARE(windows.at(0)->mdiArea()->activeSubWindow(), windows.at(0));
        manager.stopExport(row);
        QVERIFY(!exporter->isActive());
        QCOMPARE(manager.view()->model()->rowCount(), 0);
    }

    // A window opening over a large table shows how far its build got in the status bar: painted while the build
    // runs (on the GUI thread, the event loop standing), from 0 at the start, never back, full at the end of the
    // build, and gone after it.
    void aWindowOpeningOverALargeTableShowsItsProgress()
    {
        stopTerminalFixture();
        startTerminalFixture(SampleMarketOptions::sized(100, 300000));
        auto window = terminal();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* display = window->statusBar()->findChild<ProgressStatus*>();
        QVERIFY(display);
        QVERIFY(display->isHidden());
        const PaintedProgress painted(display);
        QVERIFY(window->openWindow(QStringLiteral("orders")));
        QVERIFY(display->isHidden());
        const QString shown
            = QStringLiteral("%1 paints: %2").arg(painted.values.size()).arg(painted.texts.join(QStringLiteral("; ")));
        QVERIFY2(!painted.values.isEmpty(), "nothing was painted while the window was being built");
        QCOMPARE(painted.values.first(), 0);
        QVERIFY2(std::is_sorted(painted.values.cbegin(), painted.values.cend()), qPrintable(shown));
        QVERIFY2(painted.values.last() == 1000, qPrintable(shown)); // the bar is full before it goes
        for (const QString& text : painted.texts)
            QVERIFY2(text.contains(QStringLiteral("orders")), qPrintable(text));
    }

    // The positions window: every tab writes a position's values as its table does, the first section of each
    // grouped tab opens and closes all its groups without sorting them, and the tree by account keeps its open
    // groups and its sort while the market moves and across a restart.
    void positionsTabsAgreeAndTheTreeComesBackWithItsGroupsOpen()
    {
        QStringList expanded;
        int posColumn = -1;
        {
            auto first = terminal();
            // The header ignores the click that activates its window: the activation comes first.
            QVERIFY(QTest::qWaitForWindowActive(first.get()));
            HostWindow* positions = open(*first, QStringLiteral("positions"));
            QVERIFY(positions);
            m_feed->step(300);

            // Each tab's texts of every position's average price and variation margin, as its painter writes them
            // in the terminal's own locale.
            const QLocale before;
            const auto restoreLocale = qScopeGuard([&] { QLocale::setDefault(before); });
            QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
            const QStringList columns { QStringLiteral("avg_price"), QStringLiteral("vm") };
            const auto written = [&](const QString& tab) {
                open(*first, QStringLiteral("positions"), tab);
                IView* shown = positions->view()->currentView();
                QStringList texts;
                for (const Record& r : *m_market->table(QStringLiteral("positions"))->masterIndex()) {
                    for (const QString& column : columns) {
                        QModelIndex index;
                        QAbstractItemDelegate* painter = nullptr;
                        if (auto* table = dynamic_cast<TableWindow*>(shown)) {
                            index = table->model()->indexByRecord(r, table->model()->columnIndex(column));
                            painter = table->view()->itemDelegate(index);
                        } else if (auto* tree = dynamic_cast<TreeWindow*>(shown)) {
                            index = tree->model()->indexByRecord(r, tree->model()->columnIndex(column));
                            painter = tree->view()->itemDelegate(index);
                        } else if (auto* groups = dynamic_cast<TreeGroupsWindow*>(shown)) {
                            index = groups->model()->indexByRecord(r, groups->model()->columnIndex(column));
                            painter = groups->view()->delegateForIndex(index);
                        }
                        auto* styled = qobject_cast<QStyledItemDelegate*>(painter);
                        texts << (styled && index.isValid() ? styled->displayText(index.data(), QLocale())
                                                            : QStringLiteral("(none)"));
                    }
                }
                return texts;
            };
            // The status bar's count of rows in the windows, written afresh after the tab is shown: every tab
            // shows every position, so the count stays.
            const auto rowsInStatus = [&]() -> QString {
                QLabel* rows = nullptr;
                for (QLabel* label : first->statusBar()->findChildren<QLabel*>()) {
                    if (label->text().startsWith(QStringLiteral("Строк в окнах: ")))
                        rows = label;
                }
                if (!rows)
                    return QString();
                rows->clear();
                return QTest::qWaitFor([&] { return !rows->text().isEmpty(); }, 5000) ? rows->text() : QString();
            };
            const QStringList table = written(QStringLiteral("Таблица"));
            QVERIFY(table.join(QLatin1Char(' ')).contains(QLatin1Char(',')));
            const QString tableRows = rowsInStatus();
            QVERIFY(!tableRows.isEmpty());
            QCOMPARE(written(QStringLiteral("По счетам")), table);
            QCOMPARE(rowsInStatus(), tableRows);
            QCOMPARE(written(QStringLiteral("По счетам и активам")), table);
            QCOMPARE(rowsInStatus(), tableRows);

            // The first section of a grouped tab, clicked as a trader does, and what it shows.
            const auto clickFirstSection = [](QHeaderView* header) {
                QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
            };
            const auto firstSection = [](QHeaderView* header) {
                return header->viewport()
                    ->grab(QRect(header->sectionViewportPosition(0), 0, header->sectionSize(0), header->height()))
                    .toImage();
            };
            auto* groups = groupsWindow(positions, "По счетам и активам");
            QVERIFY(groups);
            QCOMPARE(groups->view()->expandState(), 2);
            const QImage groupsOpen = firstSection(groups->view()->groupsHeader());
            clickFirstSection(groups->view()->groupsHeader());
            QCOMPARE(groups->view()->expandState(), 0);
            QVERIFY(firstSection(groups->view()->groupsHeader()) != groupsOpen);
            clickFirstSection(groups->view()->groupsHeader());
            QCOMPARE(groups->view()->expandState(), 2);

            open(*first, QStringLiteral("positions"), QStringLiteral("По счетам"));
            auto* tree = dynamic_cast<TreeWindow*>(positions->view()->currentView());
            QVERIFY(tree);
            TreeIndexModel* model = tree->model();
            QVERIFY(model->rowCount() >= 3);
            QHeaderView* header = tree->view()->header();
            const QString order = treeText(*model);
            const QImage treeOpen = firstSection(header);
            QCOMPARE(tree->expandedGroups().size(), model->rowCount());
            clickFirstSection(header);
            QVERIFY(tree->expandedGroups().isEmpty());
            QVERIFY(firstSection(header) != treeOpen);
            clickFirstSection(header);
            QCOMPARE(tree->expandedGroups().size(), model->rowCount());
            QCOMPARE(firstSection(header), treeOpen);
            // Nothing was sorted, and no sort arrow stands in the mark's section.
            QCOMPARE(treeText(*model), order);
            QVERIFY(header->sortIndicatorSection() != 0);

            // A client's position arrives under an account whose code holds a "/", and its group stays open.
            {
                Table* table = m_market->table(QStringLiteral("positions"));
                RecordsTrans trans(table);
                RecordUpdater(table->masterIndex()->at(0).clone(), trans).data(QStringLiteral("account"))
                    = QStringLiteral("ТК/001");
                trans.commit();
            }
            tree->view()->collapseAll();
            tree->view()->expand(model->index(0, 0));
            tree->view()->expand(model->index(2, 0));
            const QModelIndexList slashed
                = model->match(model->index(0, 0), Qt::DisplayRole, QStringLiteral("ТК/001"), 1, Qt::MatchExactly);
            QCOMPARE(slashed.size(), 1);
            tree->view()->expand(slashed.first());
            posColumn = model->columnIndex(QStringLiteral("pos"));
            tree->view()->header()->setSortIndicator(posColumn, Qt::DescendingOrder);
            QCOMPARE(model->sortColumn(), posColumn);
            m_feed->step(300);
            QCOMPARE(model->recordsCount(), m_market->table(QStringLiteral("positions"))->count());
            expanded = tree->expandedGroups();
            QCOMPARE(expanded.size(), 3);
            first->close();
        }
        auto second = terminal();
        QVERIFY(second->restoreSession());
        QCOMPARE(describe(*second), QStringLiteral("positions:Позиции:tree"));
        auto* tree = dynamic_cast<TreeWindow*>(second->windows().at(0)->view()->currentView());
        QVERIFY(tree);
        QCOMPARE(tree->expandedGroups(), expanded);
        QCOMPARE(tree->model()->sortColumn(), posColumn);
        QCOMPARE(tree->model()->sortOrder(), Qt::DescendingOrder);
    }

    // The grouped windows: positions by account and underlying, options by underlying and expiry with each
    // series' options by strike, then type. They follow the feed, and come back after a restart with their sort
    // orders, group segments, open groups and current row, an account whose code holds a "," included.
    void groupedWindowsFollowTheFeedAndComeBack()
    {
        // Accounts whose codes hold a ",": one holds the current position, the other is only open.
        const QString commaAccount = QStringLiteral("ТК,001");
        const QString openAccount = QStringLiteral("ТК,002");
        const auto accountRow = [&](const TerminalGroupsModel* model, const QString& code) {
            for (int row = 0; row < model->rowCount(); ++row) {
                if (model->index(row, 1).data().toString() == code)
                    return model->index(row, 0);
            }
            return QModelIndex();
        };
        QString positionsCurrent;
        QString optionsCurrent;
        {
            auto first = terminal();
            auto* positions = groupsWindow(first->openWindow(QStringLiteral("positions")), "По счетам и активам");
            auto* options = groupsWindow(first->openWindow(QStringLiteral("instruments")), "Опционы по сериям");
            QVERIFY(positions && options);
            m_feed->step(300);
            QCOMPARE(positions->model()->recordsCount(), m_market->table(QStringLiteral("positions"))->count());
            QVERIFY(options->model()->recordsCount() > 0);
            // every option of a series stands by strike, then type; nothing but options is there.
            TerminalGroupsModel* model = options->model();
            for (QModelIndex i = model->treeWalk(QModelIndex()); i.isValid(); i = model->treeWalk(i)) {
                if (!model->isElementLevel(i))
                    continue;
                const Record r = model->recordByIndex(i);
                QCOMPARE(r.data(QStringLiteral("sectype")).toString(), QStringLiteral("O"));
                if (i.row() == 0)
                    continue;
                const Record before = model->recordByIndex(model->index(i.row() - 1, 0, i.parent()));
                const int byStrike = before.data(QStringLiteral("strike")).compare(r.data(QStringLiteral("strike")));
                QVERIFY(byStrike < 0
                    || (byStrike == 0
                        && before.data(QStringLiteral("opt_type")).compare(r.data(QStringLiteral("opt_type"))) <= 0));
            }

            // Two clients' positions arrive under those accounts.
            {
                Table* table = m_market->table(QStringLiteral("positions"));
                RecordsTrans trans(table);
                for (const QString& code : { commaAccount, openAccount })
                    RecordUpdater(table->masterIndex()->at(0).clone(), trans).data(QStringLiteral("account")) = code;
                trans.commit();
            }
            // The trader turns the positions' order round, narrows the account segment, closes every group of
            // the options, and of the positions all but those accounts', and picks a position of the first.
            positions->view()->groupsHeader()->sectionClicked(positions->model()->columnIndex(QStringLiteral("pos")));
            positions->view()->groupColumns().column(0, 1)->width = 90;
            options->view()->groupsHeader()->sectionClicked(0);
            QCOMPARE(options->view()->expandState(), 0);
            positions->view()->groupsHeader()->sectionClicked(0);
            const QModelIndex account = accountRow(positions->model(), commaAccount);
            QVERIFY(account.isValid());
            positions->view()->expand(accountRow(positions->model(), openAccount));
            positions->view()->expand(account);
            positions->view()->expand(positions->model()->index(0, 0, account));
            const QModelIndex position = positions->model()->index(0, 3, positions->model()->index(0, 0, account));
            positions->view()->selectionModel()->setCurrentIndex(
                position, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            positionsCurrent = positions->view()->currentText();
            optionsCurrent = options->view()->currentText();
            first->close();
        }
        auto second = terminal();
        QVERIFY(second->restoreSession());
        QCOMPARE(describe(*second), QStringLiteral("positions:Позиции:groups, instruments:Инструменты:options"));
        auto* positions = dynamic_cast<TreeGroupsWindow*>(second->windows().at(0)->view()->currentView());
        auto* options = dynamic_cast<TreeGroupsWindow*>(second->windows().at(1)->view()->currentView());
        QVERIFY(positions && options);
        QCOMPARE(positions->model()->sortColumnOrder(positions->model()->columnIndex(QStringLiteral("pos"))),
            Qt::AscendingOrder);
        QCOMPARE(positions->view()->groupColumns().column(0, 1)->width, 90);
        QCOMPARE(positions->view()->currentText(), positionsCurrent);
        const QModelIndexList current = positions->view()->selectionModel()->selectedRows(1);
        QCOMPARE(current.size(), 1);
        QCOMPARE(positions->model()->recordByIndex(current.first()).data(QStringLiteral("account")).toString(),
            commaAccount);
        QCOMPARE(options->view()->currentText(), optionsCurrent);
        QCOMPARE(options->view()->expandState(), 0);
        QCOMPARE(positions->view()->expandState(), 1);
        QVERIFY(positions->view()->isExpanded(accountRow(positions->model(), openAccount)));
    }

    // The instruments, as a table and as a tree, restricted to the current session: the instruments left from
    // an earlier session go, those the exchange lists again for a new session stay, and the restriction comes
    // back after a restart.
    void instrumentsCanBeRestrictedToTheCurrentSession()
    {
        Table* securities = m_market->table(QStringLiteral("securities"));
        const auto inSession = [securities] {
            int n = 0;
            for (const Record& r : *securities->masterIndex())
                n += SessionDirectory::i()->isActiveSessId(
                    r.data(QStringLiteral("stock_id")).toInteger(), r.data(QStringLiteral("sess_id")).toInteger());
            return n;
        };
        const auto treeOf = [](HostWindow* window) {
            for (QAction* action : window->view()->switcher()->actions()) {
                if (action->text() == QStringLiteral("По режимам"))
                    action->trigger();
            }
            return dynamic_cast<TreeWindow*>(window->view()->currentView());
        };
        {
            auto first = terminal();
            TableWindow* table = TerminalWindow::tableView(first->openWindow(QStringLiteral("instruments")));
            TreeWindow* tree = treeOf(first->openWindow(QStringLiteral("instruments")));
            QVERIFY(table && tree);
            QAction* only = table->currentSessionAction();
            QVERIFY(only && only->isEnabled() && !only->isChecked());
            QVERIFY(table->filtersToolBar()->getWidget()->findChildren<QToolButton*>().size() == 1);
            // Each editor on the bar is named once.
            QStringList titles;
            for (const QLabel* label : table->filtersToolBar()->getWidget()->findChildren<QLabel*>()) {
                if (!label->text().isEmpty())
                    titles << label->text();
            }
            QVERIFY(titles.contains(QStringLiteral("Базовый контракт:")));
            QCOMPARE(titles.size(), QSet<QString>(titles.begin(), titles.end()).size());
            QMenu menu;
            table->populateActionsAt(table->view()->mapTo(table, QPoint(5, 40)), &menu);
            QVERIFY(menu.actions().contains(only));
            QCOMPARE(table->model()->rowCount(), securities->count());
            only->trigger();
            tree->currentSessionAction()->trigger();
            QVERIFY(inSession() > 0 && inSession() < securities->count());
            QCOMPARE(table->model()->rowCount(), inSession());
            QCOMPARE(tree->model()->recordsCount(), inSession());
            const int trading = inSession();
            m_feed->startNewSession();
            QCOMPARE(inSession(), trading);
            QCOMPARE(table->model()->rowCount(), trading);
            QCOMPARE(tree->model()->recordsCount(), trading);
            first->close();
        }
        auto second = terminal();
        QVERIFY(second->restoreSession());
        TableWindow* table = TerminalWindow::tableView(second->windows().at(0));
        auto* tree = dynamic_cast<TreeWindow*>(second->windows().at(1)->view()->currentView());
        QVERIFY(table && tree);
        QVERIFY(table->currentSessionAction()->isChecked() && tree->currentSessionAction()->isChecked());
        QCOMPARE(table->model()->rowCount(), inSession());
        QCOMPARE(tree->model()->recordsCount(), inSession());
    }

    // A filter set on the orders window's bar, and the reading hold, are still there after a restart; the
    // positions window has its totals row.
    void filtersBarAndReadingHoldComeBackAfterARestart()
    {
        {
            auto first = terminal();
            TableWindow* orders = TerminalWindow::tableView(first->openWindow(QStringLiteral("orders")));
            QVERIFY(orders->filtersToolBar());
            auto* quantity = orders->filtersToolBar()->getWidget()->findChild<QuantityFilterWidget*>();
            QVERIFY(quantity);
            quantity->spin()->setValue(30);
            quantity->check()->setChecked(true);
            orders->view()->readingHold()->setEnabled(true);
            QVERIFY(first->openWindow(QStringLiteral("positions")));
            first->close();
        }
        auto second = terminal();
        {
            LoggedCategories log;
            QVERIFY(second->restoreSession());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            // Each window read its rows once, with its stored filters.
            QCOMPARE(log.messages.filter(QStringLiteral("orders готова к отображению")).size(), 1);
            QCOMPARE(log.messages.filter(QStringLiteral("positions готова к отображению")).size(), 1);
        }
        TableWindow* orders = TerminalWindow::tableView(second->windows().at(0));
        const int column = orders->model()->columnIndex(QStringLiteral("quantity"));
        QVERIFY(orders->model()->headerData(column, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
        QVERIFY(orders->model()->rowCount() > 0);
        for (int row = 0; row < orders->model()->rowCount(); ++row)
            QVERIFY(orders->model()->at(row).data(column).toInteger64() >= 30);
        auto* quantity = orders->filtersToolBar()->getWidget()->findChild<QuantityFilterWidget*>();
        QVERIFY(quantity->check()->isChecked());
        QCOMPARE(quantity->spin()->value(), 30);
        QVERIFY(orders->view()->readingHold()->isEnabled());
        QVERIFY(TerminalWindow::tableView(second->windows().at(1))->totalsView());
    }

    // The orders window filters by login, and its editor shows the login chosen among the terminal's users.
    void ordersWindowFiltersByLogin()
    {
        auto window = terminal();
        TableWindow* orders = TerminalWindow::tableView(window->openWindow(QStringLiteral("orders")));
        // A record is read by its table column.
        const int column = orders->model()->table()->columnIndex(QStringLiteral("login"));
        QVERIFY(column >= 0 && orders->model()->rowCount() > 0);
        const QString someone = orders->model()->at(0).data(column).toString();
        QVERIFY(orders->presetFilter(QStringLiteral("Логин"), someone));
        QTRY_VERIFY(orders->model()->rowCount() > 0);
        for (int row = 0; row < orders->model()->rowCount(); ++row)
            QCOMPARE(orders->model()->at(row).data(column).toString(), someone);

        Filter* login = nullptr;
        for (Filter* filter : orders->model()->filtersModel()->filters()) {
            if (filter->name() == QStringLiteral("Логин"))
                login = filter;
        }
        QVERIFY(login);
        QScopedPointer<LoginFilterWidget> editor(qobject_cast<LoginFilterWidget*>(login->createFilterWidget(nullptr)));
        QVERIFY(editor);
        login->init(editor.data());
        QVERIFY(editor->loginButton()->isChecked());
        QCOMPARE(editor->login(), someone);
        QVERIFY(editor->box()->findText(someone) >= 0);
    }

    void ctrlFOpensTheFindBarOfEveryTableWindow()
    {
        auto window = terminal();
        window->openAll();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        int tables = 0;
        for (HostWindow* host : window->windows()) {
            TableWindow* table = TerminalWindow::tableView(host);
            if (!table)
                continue;
            ++tables;
            host->bringToFront();
            table->view()->setFocus();
            QTest::keyClick(table->view(), Qt::Key_F, Qt::ControlModifier);
            QVERIFY2(table->findBar()->isVisible(), qPrintable(host->windowName()));
            QVERIFY(table->findBar()->lineEdit()->hasFocus());
            // Return finds the first row of the window that shows the text
            const int shown = table->view()->header()->logicalIndex(0);
            const QString text = table->view()->QAbstractItemView::model()->index(2, shown).data().toString();
            table->findBar()->lineEdit()->setText(text);
            QTest::keyClick(table->findBar()->lineEdit(), Qt::Key_Return);
            QVERIFY2(table->view()->currentIndex().data().toString().contains(text), qPrintable(host->windowName()));
            QTest::keyClick(table->findBar()->lineEdit(), Qt::Key_Escape);
            QVERIFY(!table->findBar()->isVisible());
        }
        QCOMPARE(tables, 5);
    }

    void windowsMenuArrangesWindowsWithinTheAreaAndListsTheOpenOnes()
    {
        auto window = terminal();
        const QSize before = window->size();
        window->openAll();
        QMenu* menu = nullptr;
        for (QAction* entry : window->menuBar()->actions()) {
            if (entry->text() == QStringLiteral("&Окна"))
                menu = entry->menu();
        }
        QVERIFY(menu);
        auto* area = window->findChild<QMdiArea*>();
        // Every window opened and tiled: side by side within the area, the main window as it was.
        const QRect inside(QPoint(), area->viewport()->size());
        QCOMPARE(window->size(), before);
        QRegion covered;
        for (QMdiSubWindow* sub : area->subWindowList()) {
            QVERIFY2(inside.contains(sub->geometry()), qPrintable(sub->windowTitle()));
            QVERIFY(!covered.intersects(sub->geometry()));
            covered += sub->geometry();
        }
        QHash<QMdiSubWindow*, QSize> sizes;
        for (QMdiSubWindow* sub : area->subWindowList())
            sizes[sub] = sub->size();
        const auto command = [&](const QString& text) {
            Q_EMIT menu->aboutToShow();
            for (QAction* entry : menu->actions()) {
                if (entry->text() == text)
                    return entry;
            }
            return static_cast<QAction*>(nullptr);
        };
        command(QStringLiteral("Каскадом"))->trigger();
        // Each keeps the size it had where it fits, and nothing leaves the area.
        for (QMdiSubWindow* sub : area->subWindowList()) {
            QVERIFY2(inside.contains(sub->geometry()), qPrintable(sub->windowTitle()));
            const QSize fits(inside.width() - sub->x(), inside.height() - sub->y());
            QCOMPARE(sub->size(), sizes.value(sub).boundedTo(fits).expandedTo(sub->minimumSizeHint()));
        }
        // Every open window is listed, and choosing one brings it forward.
        QMdiSubWindow* first = area->subWindowList().first();
        const QString listed = QStringLiteral("&1 ") + first->windowTitle();
        command(listed)->trigger();
        QCOMPARE(area->activeSubWindow(), first);
        QVERIFY(command(listed)->isChecked());
        // A lost and a restored connection are told in the messages.
        m_market->core.connections()->disconnectFromExchange();
        QVERIFY(notified(QStringLiteral("Подключение к бирже потеряно")));
        m_market->core.connections()->connectToExchange();
        QVERIFY(notified(QStringLiteral("Подключение к бирже восстановлено")));
    }

    // The columns page lays the window out; "Применить" reads the rows again only for what shapes them: the
    // filter page applies its filters, which reads them once, and a hidden column of a window the trader sorted
    // otherwise than it opens reads them no more. The window keeps its place, new orders arriving meanwhile.
    void columnsPageOfTheSettingsDialogLaysOutTheWindow()
    {
        auto terminal = this->terminal();
        HostWindow* host = terminal->openWindow(QStringLiteral("orders"));
        TableWindow* orders = TerminalWindow::tableView(host);
        orders->view()->sortByColumn(orders->model()->columnIndex(QStringLiteral("order_num")), Qt::DescendingOrder);
        host->resize(600, 200);
        QCoreApplication::processEvents();
        orders->view()->verticalScrollBar()->setValue(20);
        const auto firstShown = [orders] { return orders->view()->recordAt(orders->view()->indexAt(QPoint(2, 2))); };
        const Record place = firstShown();
        SettingsDialog dialog(m_market->core.optionsPages(), orders);
        m_feed->step(200);
        const int builds = orders->model()->buildNumber();
        auto* form = dialog.findChild<TableHeaderSettingsForm*>();
        QVERIFY(form);
        TableHeaderModel* columns = form->model();
        const int price = orders->model()->columnIndex(QStringLiteral("price"));
        for (int row = 0; row < columns->rowCount(); ++row) {
            if (columns->sectionAt(row) == price)
                columns->setData(columns->index(row, 0), Qt::Unchecked, Qt::CheckStateRole);
        }
        QVERIFY(!orders->view()->header()->isSectionHidden(price));
        dialog.apply();
        QVERIFY(orders->view()->header()->isSectionHidden(price));
        QCOMPARE(orders->model()->buildNumber(), builds + 1);
        QCOMPARE(firstShown(), place);
        // The window's next store says the same, and the page reads it back unchecked.
        SettingsDialog again(m_market->core.optionsPages(), orders);
        TableHeaderModel* reread = again.findChild<TableHeaderSettingsForm*>()->model();
        for (int row = 0; row < reread->rowCount(); ++row)
            QCOMPARE(reread->isChecked(row), reread->sectionAt(row) != price);
    }

    // Given the deals and orders windows alerting in the notification window (the deals window with a sound too),
    // each batch of the trader's own deals or closed orders makes one line, others' make none, and the choices
    // come back after a restart.
    void ownDealsAndOrdersAlertOncePerBatchAndComeBack()
    {
        RecordingSoundPlayer player;
        m_market->core.sender()->setLogin(QStringLiteral("demo"));
        const int before = m_market->core.recentNotifications().size();
        {
            auto first = terminal();
            for (const char* kind : { "deals", "orders" }) {
                TableWindow* window = TerminalWindow::tableView(first->openWindow(QString::fromLatin1(kind)));
                SettingsDialog dialog(m_market->core.optionsPages(), window);
                labelled<QCheckBox>(&dialog, "Оповещение в окне ошибок и уведомлений")->setChecked(true);
                if (qstrcmp(kind, "deals") == 0) {
                    auto* sound = labelled<QGroupBox>(&dialog, "Оповещать звуком при событии");
                    sound->setChecked(true);
                    sound->findChild<QComboBox*>()->setCurrentText(QStringLiteral("bell.wav"));
                }
                dialog.apply();
            }
            TradeLedger ledger(m_market->core.tables());
            const Record instrument = m_market->table(QStringLiteral("securities"))->masterIndex()->at(0);
            TradeLedger::Order order;
            order.key = GeneratorUtil::securityKeyOf(instrument);
            order.side = QLatin1Char('B');
            order.price = instrument.data(QStringLiteral("settle_price")).toDecimal();
            order.quantity = 1000;
            order.account = m_market->table(QStringLiteral("orders"))
                                ->masterIndex()
                                ->at(0)
                                .data(QStringLiteral("account"))
                                .toString();
            order.login = QStringLiteral("trader01");
            ledger.addOrder(order, { TradeLedger::Fill(1000, order.price) });
            ledger.commit();
            QCoreApplication::processEvents();
            QCOMPARE(m_market->core.recentNotifications().size(), before);

            order.login = QStringLiteral("demo");
            QList<TradeLedger::Fill> burst;
            for (int i = 0; i < 1000; ++i)
                burst << TradeLedger::Fill(1, order.price);
            ledger.addOrder(order, burst);
            const qint64 resting = ledger.addOrder(order);
            ledger.commit();
            ledger.cancel(m_market->table(QStringLiteral("orders"))->findByKeyText(QString::number(resting)));
            ledger.commit();
            QCoreApplication::processEvents();
            const QStringList lines = m_market->core.recentNotifications().mid(before);
            QCOMPARE(lines.size(), 2);
            QVERIFY2(lines.at(0).startsWith(QStringLiteral("Сделка "))
                    && lines.at(0).endsWith(QStringLiteral("(и ещё 999)")),
                qPrintable(lines.at(0)));
            QVERIFY2(lines.at(1).startsWith(QStringLiteral("Заявка %1 ").arg(resting))
                    && lines.at(1).endsWith(QStringLiteral("снята")),
                qPrintable(lines.at(1)));
            QCOMPARE(player.played.size(), 1);
            QVERIFY(player.played.at(0).endsWith(QStringLiteral("/bell.wav")));
            first->close();
        }
        auto second = terminal();
        QVERIFY(second->restoreSession());
        TableWindow* deals = TerminalWindow::tableView(second->windows().at(0));
        QCOMPARE(deals->alerts()->visual().eventType(), VisualEvent::NotificationWindow);
        QCOMPARE(deals->alerts()->visual().delay(), 10);
        QVERIFY(deals->alerts()->sound().isEnabled());
        SettingsDialog dialog(m_market->core.optionsPages(), deals);
        QVERIFY(labelled<QCheckBox>(&dialog, "Оповещение в окне ошибок и уведомлений")->isChecked());
        QCOMPARE(labelled<QGroupBox>(&dialog, "Оповещать звуком при событии")->findChild<QComboBox*>()->currentText(),
            QStringLiteral("bell.wav"));
    }

    // Colours applied on a "Цвета" page of one session are the colours of the next.
    void coloursAppliedOnTheirPageComeBackAfterARestart()
    {
        using M = ViewsColorManager;
        M* colors = M::instance();
        const QColor green = M::defaultColor(M::Securities, M::BackgroundRole, M::UpPriceColor);
        const QColor blue(40, 60, 220);
        auto restore = qScopeGuard([&] { colors->setColor(M::Securities, M::BackgroundRole, M::UpPriceColor, green); });
        {
            auto first = terminal();
            colors->setColor(M::Securities, M::BackgroundRole, M::UpPriceColor, blue);
            ViewsColorPage* page = colors->pages().at(M::Securities);
            std::unique_ptr<QWidget> shown(page->createPage(nullptr));
            page->apply();
            page->finish();
        }
        // A new session starts with the built-in colours until the terminal reads the stored ones.
        colors->setColor(M::Securities, M::BackgroundRole, M::UpPriceColor, green);
        auto second = terminal();
        QCOMPARE(colors->color(M::Securities, M::BackgroundRole, M::UpPriceColor), blue);
    }

    // Applying the settings dialog over the grouped positions, a position current, repaints the colours and
    // rebuilds the window's model while the status bar shows the build: the tree is not painted before its model
    // is whole again (its selection still names the items the build threw away).
    void aWindowIsNotPaintedWhileTheSettingsRebuildItsModel()
    {
        auto window = terminal();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* positions = groupsWindow(window->openWindow(QStringLiteral("positions")), "По счетам и активам");
        QVERIFY(positions);
        m_feed->step(300);
        TerminalGroupsModel* model = positions->model();
        const QModelIndex position = model->index(0, 3, model->index(0, 0, model->index(0, 0)));
        QVERIFY(positions->view()->setCurrentText(model->indexText(position)));
        const QString current = positions->view()->currentText();
        const PaintsDuringReset paints(positions->view()->viewport(), model);
        SettingsDialog dialog(m_market->core.optionsPages(), positions);
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Apply)->click();
        QCOMPARE(paints.resets, 1);
        QCOMPARE(paints.duringReset, 0);
        QCOMPARE(positions->view()->currentText(), current);
    }

    void damagedSettingsAreKeptAsideAndTheTerminalStartsWithDefaults()
    {
        QFile damaged(SessionStore::fileName());
        QVERIFY(QDir().mkpath(QFileInfo(damaged).path()));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        const char garbage[] = "\x00\x01[windows\xff\xfe garbage";
        damaged.write(garbage, sizeof(garbage) - 1);
        damaged.close();

        auto first = terminal();
        QVERIFY(!first->restoreSession());
        QVERIFY(notified(QStringLiteral("Настройки окон не прочитаны")));
        QVERIFY(first->windows().isEmpty());
        const QStringList aside
            = QDir(m_config->path()).entryList({ QStringLiteral("windows.ini.damaged-*") }, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(contents(QDir(m_config->path()).filePath(aside.first())), QByteArray(garbage, sizeof(garbage) - 1));

        // The defaults are stored over it on exit, and read on the next start.
        first->openAll();
        const int opened = first->windows().size();
        QVERIFY(opened > 0);
        first->close();
        auto second = terminal();
        QVERIFY(second->restoreSession());
        QCOMPARE(second->windows().size(), opened);
    }

    // The money limits window as a trader uses it: a cell typed over, undone from the menu and redone with
    // Ctrl+Shift+Z; a value the field cannot hold and the key refused; a pasted block, a multi-row delete and
    // "clear all" each undone in one step; and the table as it was left comes back after a restart.
    void moneyLimitsAreEditedWithUndoAndComeBackAfterARestart()
    {
        Table* table = m_market->table(QStringLiteral("money_limits"));
        QStringList kept;
        {
            auto terminal = this->terminal();
            auto* window = dynamic_cast<LimitsWindow*>(
                TerminalWindow::tableView(terminal->openWindow(QStringLiteral("limits"))));
            QVERIFY(window);
            QVERIFY(QTest::qWaitForWindowActive(terminal.get()));
            MoneyLimits* limits = terminal->moneyLimits();
            TableFastViewWithFilter* view = window->view();
            auto shown = [view] { return view->QAbstractItemView::model(); };
            const int limit = window->model()->columnIndex(QStringLiteral("limit"));
            const Record first = view->recordAt(shown()->index(0, 0));
            const QString before = first.data(QStringLiteral("limit")).toString();
            auto type = [&](int column, const QString& text) {
                view->setFocus();
                view->setCurrentIndex(shown()->index(0, column));
                view->edit(shown()->index(0, column));
                auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
                if (!editor)
                    return false;
                editor->setText(text);
                QTest::keyClick(editor, Qt::Key_Return);
                // The delegate takes the value once the editor has seen the key.
                return QTest::qWaitFor([&] { return QApplication::focusWidget() != editor; });
            };

            QVERIFY(type(limit, QStringLiteral("1234567.5")));
            QCOMPARE(first.data(QStringLiteral("limit")).toString(), QStringLiteral("1234567.50"));
            QCOMPARE(limits->undoAction()->text(),
                QStringLiteral("Отменить изменение «Лимит» в строке ") + first.toString());
            limits->undoAction()->trigger();
            QCOMPARE(first.data(QStringLiteral("limit")).toString(), before);
            QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(first.data(QStringLiteral("limit")).toString(), QStringLiteral("1234567.50"));

            // The rows held for reading take edits as well; an editor closed on its value adds no step
            view->readingHold()->setEnabled(true);
            QVERIFY(type(limit, QStringLiteral("1234567.5")));
            QVERIFY(type(limit, QStringLiteral("много")));
            QTRY_VERIFY(QToolTip::text().contains(QStringLiteral("много")));
            QCOMPARE(first.data(QStringLiteral("limit")).toString(), QStringLiteral("1234567.50"));
            QCOMPARE(limits->undoStack()->count(), 1);
            QVERIFY(!type(window->model()->columnIndex(QStringLiteral("account")), QStringLiteral("X")));

            // A block pasted over two rows goes back in one step
            const QStringList rows = tableRows(table);
            view->setCurrentIndex(shown()->index(1, limit));
            QApplication::clipboard()->setText(QStringLiteral("100\t10\n200\t20\n"));
            QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(
                view->recordAt(shown()->index(2, 0)).data(QStringLiteral("used")).toString(), QStringLiteral("20.00"));
            limits->undoAction()->trigger();
            QCOMPARE(tableRows(table), rows);

            // So do three deleted rows, and a cleared table
            view->selectionModel()->select(QItemSelection(shown()->index(1, 0), shown()->index(3, 0)),
                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            const int count = table->count();
            QTest::keyClick(view, Qt::Key_Delete);
            QCOMPARE(table->count(), count - 3);
            QCOMPARE(limits->undoAction()->text(), QStringLiteral("Отменить удаление строк (3)"));
            limits->undoAction()->trigger();
            QCOMPARE(tableRows(table), rows);
            window->clearAll();
            QCOMPARE(table->count(), 0);
            limits->undoAction()->trigger();
            QCOMPARE(tableRows(table), rows);
            kept = rows;
        }
        // A new start over the market's own limits reads the trader's back.
        m_market->market.reload(table, 0);
        QVERIFY(tableRows(table) != kept);
        auto restarted = terminal();
        QCOMPARE(tableRows(table), kept);
    }

    // "Файл → Импорт..." over the money limits window: the file's header names the columns by their titles, so
    // the wizard comes up mapped; one row updates a client's limit, one adds a client; one undo takes the whole
    // file back, and the limits' file follows every step.
    void importsLimitsFromTheFileMenu()
    {
        Table* table = m_market->table(QStringLiteral("money_limits"));
        auto terminal = this->terminal();
        QAction* import = terminal->importCommand()->action();
        terminal->openWindow(QStringLiteral("orders"));
        QVERIFY(!import->isEnabled());
        terminal->openWindow(QStringLiteral("limits"));
        QVERIFY(QTest::qWaitForWindowActive(terminal.get()));
        QTRY_VERIFY(import->isEnabled());

        const QStringList before = tableRows(table);
        const QString client = table->masterIndex()->at(0).data(QStringLiteral("account")).toString();
        const QString path = m_config->filePath(QStringLiteral("limits.csv"));
        QFile csv(path);
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write(QStringLiteral("Счёт;Лимит;Комментарий\n%1;777.5;поднят\nNEW01;100;новый\n").arg(client).toUtf8());
        csv.close();
        answerFileDialog([&](QFileDialog* d) {
            d->selectFile(path);
            static_cast<QDialog*>(d)->accept();
        });
        QString mapped;
        answerDialog<ImporterColumnsWizard>([&](ImporterColumnsWizard* wizard) {
            mapped = wizard->page()->message();
            wizard->accept();
        });
        QString shown;
        answerDialog<QMessageBox>([&](QMessageBox* box) {
            shown = box->text();
            box->accept();
        });
        import->trigger();
        QCOMPARE(mapped, QString());
        QCOMPARE(shown, QStringLiteral("Импортировано успешно строк: 2"));
        QVERIFY(notified(shown));
        const Record changed = table->findByKeyText(client);
        QCOMPARE(changed.data(QStringLiteral("limit")).toString(), QStringLiteral("777.50"));
        QCOMPARE(changed.data(QStringLiteral("comment")).toString(), QStringLiteral("поднят"));
        QCOMPARE(table->findByKeyText(QStringLiteral("NEW01")).data(QStringLiteral("limit")).toString(),
            QStringLiteral("100.00"));
        QVERIFY(contents(MoneyLimits::fileName()).contains("NEW01"));

        MoneyLimits* limits = terminal->moneyLimits();
        QCOMPARE(limits->undoAction()->text(), QStringLiteral("Отменить Импорт из файла"));
        limits->undoAction()->trigger();
        QCOMPARE(tableRows(table), before);
        QVERIFY(!contents(MoneyLimits::fileName()).contains("NEW01"));
        limits->redoAction()->trigger();
        QCOMPARE(table->findByKeyText(client).data(QStringLiteral("limit")).toString(), QStringLiteral("777.50"));
        QVERIFY(contents(MoneyLimits::fileName()).contains("NEW01"));
    }

    // "Мои инструменты" from a file that names instruments by code ("Код"), board and market (by their codes, under
    // the names an instruments window's export gives the columns): the file's instruments follow those listed, in the
    // file's order; an unknown code, or a code on another board, is a skipped row; a repeated one stands once; the
    // instruments table itself is not touched.
    void importsPicksFromTheFileMenu()
    {
        Table* securities = m_market->table(QStringLiteral("securities"));
        const MasterIndex* instruments = securities->masterIndex();
        const Record listed = instruments->at(0);
        const Record first = instruments->at(1);
        const auto boardOf = [&](const Record& r) { return r.data(QStringLiteral("board_id")).toString(); };
        Record second;
        for (int row = 2; row < instruments->count() && second.isNull(); ++row) {
            if (boardOf(instruments->at(row)) != boardOf(first))
                second = instruments->at(row);
        }
        QVERIFY(!second.isNull());
        const auto codeOf = [](const Record& r) { return r.data(QStringLiteral("sec_code")).toString(); };
        const auto boardCode = [&](const Record& r) {
            return m_market->table(QStringLiteral("boards"))
                ->findByKeyText(r.data(QStringLiteral("stock_id")).toString() + ',' + boardOf(r))
                .data(QStringLiteral("board_code"))
                .toString();
        };

        auto terminal = this->terminal();
        auto* picks = open(*terminal, QStringLiteral("picks"))->findChild<PicksWindow*>();
        QVERIFY(picks);
        auto* list = qobject_cast<FilterRecordsModel*>(picks->view()->model());
        list->add(listed);
        QTRY_VERIFY(terminal->importCommand()->action()->isEnabled());

        const QString path = m_config->filePath(QStringLiteral("picks.csv"));
        QFile csv(path);
        QVERIFY(csv.open(QIODevice::WriteOnly));
        const QString market = m_market->table(QStringLiteral("stocks"))
                                   ->findByKeyText(second.data(QStringLiteral("stock_id")).toString())
                                   .data(QStringLiteral("stock_code"))
                                   .toString();
        csv.write(QStringLiteral("Код;board_name;stock_name\n%1;;\n%2;%3;%5\nNOSUCH;;\n%1;;\n%2;%4;\n")
                      .arg(codeOf(first), codeOf(second), boardCode(second), boardCode(first), market)
                      .toUtf8());
        csv.close();
        answerFileDialog([&](QFileDialog* d) {
            d->selectFile(path);
            static_cast<QDialog*>(d)->accept();
        });
        QMap<QString, int> mapping;
        answerDialog<ImporterColumnsWizard>([&](ImporterColumnsWizard* wizard) {
            mapping = wizard->page()->mapping();
            wizard->accept();
        });
        QString shown;
        QString details;
        answerDialog<QMessageBox>([&](QMessageBox* box) {
            shown = box->text();
            details = box->detailedText();
            box->accept();
        });
        const int count = securities->count();
        terminal->importCommand()->action()->trigger();
        QCOMPARE(mapping,
            (QMap<QString, int> { { QStringLiteral("sec_code"), 0 }, { QStringLiteral("board_id"), 1 },
                { QStringLiteral("stock_id"), 2 } }));
        QCOMPARE(shown,
            QStringLiteral("Импортировано успешно строк: 2\nПропущено строк: 2\nДобавлено в «Мои инструменты»: 2"));
        QCOMPARE(details,
            QStringLiteral("Импорт строки №3 невозможен. Инструмент с кодом 'NOSUCH' не найден\n"
                           "Импорт строки №4 заменит импортированную ранее строку с тем же ключом\n"
                           "Импорт строки №5 невозможен. Инструмент с кодом '%1' в режиме '%2' не найден")
                .arg(codeOf(second), boardCode(first)));
        QCOMPARE(list->toTextList(),
            (QStringList { securities->keyText(listed), securities->keyText(first), securities->keyText(second) }));
        QCOMPARE(securities->count(), count);
    }

    void commandLineImportExitCodes_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("maps");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("printed");
        QTest::newRow("every row") << QByteArray("account;limit\nA1;1\nA2;2\n") << QStringList() << 0
                                   << "Импортировано успешно строк: 2|A1=1.00|A2=2.00";
        QTest::newRow("mapped by position, one left out")
            << QByteArray("x;y;z\nA1;5;c\n")
            << QStringList { QStringLiteral("account=0"), QStringLiteral("used=1"), QStringLiteral("comment=") } << 0
            << "Импортировано успешно строк: 1|A1=";
        QTest::newRow("a bad value") << QByteArray("account;limit\nA1;много\n") << QStringList() << 1
                                     << "Импортировано частично строк: 1|Импорт строки №1 выполнен частично. "
                                        "Значение 'много' нельзя записать в поле 'limit' типа Decimal(2)|A1=";
        QTest::newRow("unknown column") << QByteArray("account\nA1\n") << QStringList { QStringLiteral("nosuch=0") }
                                        << 2 << "";
        QTest::newRow("unknown field") << QByteArray("account\nA1\n") << QStringList { QStringLiteral("limit=zz") } << 2
                                       << "";
    }
    // The import a scheduler's script runs: the header line maps the columns, --map corrects them; the exit code
    // tells whether every row went in whole.
    void commandLineImportExitCodes()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, maps);
        QFETCH(int, code);
        QFETCH(QString, printed);
        Table* table = m_market->table(QStringLiteral("money_limits"));
        table->clear();
        const QString path = m_config->filePath(QStringLiteral("in.csv"));
        QFile csv(path);
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write(file);
        csv.close();
        LimitsImportConvertor convertor(table);
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        QCOMPARE(ImportRun(table, &convertor).run(path, maps, outStream, errStream), code);
        QStringList lines = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const Record& r : *table->masterIndex())
            lines << r.data(QStringLiteral("account")).toString() + '=' + r.data(QStringLiteral("limit")).toString();
        QCOMPARE(lines.join(QLatin1Char('|')), printed);
        QCOMPARE(err.isEmpty(), code != 2);
    }

    void aLimitsFileThatCannotBeWrittenOrReadLosesNothing()
    {
        Table* table = m_market->table(QStringLiteral("money_limits"));
        auto terminal = this->terminal();
        auto* window
            = dynamic_cast<LimitsWindow*>(TerminalWindow::tableView(terminal->openWindow(QStringLiteral("limits"))));
        QVERIFY(window->addAccount(QStringLiteral("ZZ00001")));
        const QByteArray saved = contents(MoneyLimits::fileName());
        QVERIFY(saved.contains("ZZ00001"));

        // When the disk takes no more than a few bytes, the next write fails and the previous file stays
        rlimit old {};
        getrlimit(RLIMIT_FSIZE, &old);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tiny = old;
        tiny.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &tiny);
        window->deleteRows({ table->findByKeyText(QStringLiteral("ZZ00001")) });
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previous);
        QVERIFY(notified(QStringLiteral("Денежные лимиты не записаны")));
        QCOMPARE(contents(MoneyLimits::fileName()), saved);

        // A damaged file is reported and kept aside; the table keeps what it had
        terminal.reset();
        QFile damaged(MoneyLimits::fileName());
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("{\"table\": \"money_limits\", \"format\": 1, \"records\": [{\"limit\": \"лимит\"}]}");
        damaged.close();
        const QStringList rows = tableRows(table);
        auto second = this->terminal();
        QVERIFY(notified(QStringLiteral("Денежные лимиты не прочитаны (запись 1:")));
        QCOMPARE(tableRows(table), rows);
        QCOMPARE(QDir(m_config->path()).entryList({ QStringLiteral("money_limits.json.damaged-*") }).size(), 1);
    }

    // Given a future's row chosen in the instruments window, its commands open the windows they name over the
    // market's data; while the exchange is disconnected an order command only warns.
    void instrumentCommandsOpenTheirWindows()
    {
        auto window = terminal();
        TableWindow* instruments = TerminalWindow::tableView(window->openWindow(QStringLiteral("instruments")));
        TableFastViewWithFilter* view = instruments->view();
        const Record future = SecurityDirectory::i()->recordById(1, SampleMarket::FuturesBoard, 400000);
        const QString name = SecurityDirectory::i()->nameById(1, SampleMarket::FuturesBoard, 400000);
        const QModelIndex row = view->QAbstractItemView::model()->index(
            view->rowOf(future), instruments->model()->columnIndex(QStringLiteral("sec_code")));
        view->scrollTo(row);
        view->selectionModel()->select(row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QMenu menu;
        instruments->populateActionsAt(view->viewport()->mapTo(instruments, view->visualRect(row).center()), &menu);
        QStringList bold;
        for (const QAction* action : menu.actions()) {
            if (action->font().bold())
                bold << action->text();
        }
        QCOMPARE(bold, QStringList { QStringLiteral("Открыть котировки %1").arg(name) });

        // A double click on the row (its first click taken as a click) opens the quotes.
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(row).center());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(row).center());
        QCOMPARE(window->findChildren<QuotesWindow*>().size(), 1);
        SecurityActions* actions = instruments->securityActions();
        for (int type : { SecurityActions::Chart, SecurityActions::Information, SecurityActions::AllDeals,
                 SecurityActions::VolatilityCurve })
            actions->action(type)->trigger();
        int deals = 0;
        for (const Record& deal : *m_market->table(QStringLiteral("deals"))->masterIndex())
            deals += deal.data(QStringLiteral("sec_id")).toInteger64() == 400000;
        QCOMPARE(window->findChild<ChartWindow*>()->trades()->count(), deals);
        HostWindow* dealsWindow = window->windows().last();
        QCOMPARE(dealsWindow->windowTitle(), QStringLiteral("Сделки: %1").arg(name));
        QCOMPARE(TerminalWindow::tableView(dealsWindow)->model()->rowCount(), deals);
        const QAbstractItemModel* card = window->findChild<SecurityInfoWindow*>()->card();
        for (int field = 0; field < card->rowCount(); ++field) {
            if (card->headerData(field, Qt::Vertical).toString() == QStringLiteral("Режим"))
                QCOMPARE(card->index(field, 0).data().toString(), QStringLiteral("Фьючерсы"));
        }
        VolatilityWindow* curve = window->findChild<VolatilityWindow*>();
        QCOMPARE(curve->calls()->count() + curve->puts()->count(), 10); // five strikes of the series
        // Once the future has no price, no curve stays drawn on the price it had.
        {
            RecordsTrans trans(m_market->table(QStringLiteral("securities")));
            RecordUpdater priceless(future, trans);
            priceless.data(QStringLiteral("last")).clear();
            priceless.data(QStringLiteral("settle_price")).clear();
            trans.commit();
        }
        curve->recalculate();
        QCOMPARE(curve->calls()->count() + curve->puts()->count() + curve->exchange()->count(), 0);

        // Disconnected, an order command warns and opens no dialog; connected again, it opens one.
        QAction* connection = nullptr;
        for (QAction* action : window->findChildren<QAction*>())
            connection = action->text() == QStringLiteral("Подключение к бирже") ? action : connection;
        connection->trigger();
        QString warning;
        answerDialog<QMessageBox>([&warning](QMessageBox* box) {
            warning = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        actions->action(SecurityActions::AddOrder)->trigger();
        QVERIFY(warning.startsWith(QStringLiteral("Выполнить действие невозможно")));
        QVERIFY(!window->findChild<AddOrderShortDialog*>());
        connection->trigger();
        actions->action(SecurityActions::AddOrder)->trigger();
        QVERIFY(window->findChild<AddOrderShortDialog*>());
    }

    void unknownWindowKindIsSkippedAndTheOthersRestored()
    {
        SessionStore::Window deals;
        deals.kind = QStringLiteral("deals");
        SessionStore::Window chart;
        chart.kind = QStringLiteral("chart");
        QString error;
        QVERIFY(SessionStore::save({ chart, deals }, &error));

        auto restored = terminal();
        QVERIFY(restored->restoreSession());
        QVERIFY(notified(QStringLiteral("\"chart\"")));
        QCOMPARE(describe(*restored), QStringLiteral("deals:Сделки:table"));

        // Anyone may ask the host's window manager for a kind: the window opens here.
        IWindowManager::instance()->openWindow(QStringLiteral("deals"), QString());
        QCOMPARE(describe(*restored), QStringLiteral("deals:Сделки:table, deals:Сделки 2:table"));
    }
};

QTEST_MAIN(tst_Terminal)
#include "tst_terminal.moc"
