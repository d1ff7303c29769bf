#include "actions/securityactions.h"
#include "core/db/appsettings.h"
#include "core/db/guilog.h"
#include "core/db/mapsettings.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/schema/hostschema.h"
#include "dialoganswers.h"
#include "export/dynamic/dynamicexporter.h"
#include "export/dynamic/dynamicexporterstatuswidget.h"
#include "export/dynamic/private/dynamicexportermanagerdialog.h"
#include "export/importercolumnswizardpage.h"
#include "export/private/importercolumnswizard.h"
#include "importcommand.h"
#include "instruments/chartwindow.h"
#include "instruments/quoteswindow.h"
#include "instruments/securityinfowindow.h"
#include "instruments/volatilitywindow.h"
#include "models/tableindexmodel.h"
#include "orders/droporderdialog.h"
#include "orders/moveorderdialog.h"
#include "snapshotwindow.h"
#include "terminalapplication.h"
#include "terminalfixture.h"
#include "terminallanguage.h"
#include "treegroupswindow.h"
#include "trees/view/treegroupsview.h"
#include "treewindow.h"
#include "views/qtreefastview.h"
#include "windows/tablefastviewwithfilter.h"
#include "windows/viewwrapper.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QXmlStreamReader>

#include <QDialogButtonBox>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList buttonTexts(const QWidget* dialog)
{
    QStringList texts;
    for (const QPushButton* button : dialog->findChildren<QPushButton*>())
        texts << button->text().remove(QLatin1Char('&'));
    return texts;
}

QStringList g_logged;

// The English of a source text as the translation file says, read here from the file: the translations of the
// source in every context it has, or in the one named.
QMultiHash<QString, QString> englishOf(const QString& only = QString())
{
    QFile file(QStringLiteral(BV_TRANSLATION_PATH));
    QMultiHash<QString, QString> english;
    if (!file.open(QIODevice::ReadOnly))
        return english;
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name"))
            context = xml.readElementText();
        else if (xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.name() == QLatin1String("translation") && (only.isEmpty() || context == only))
            english.insert(source, xml.readElementText(QXmlStreamReader::IncludeChildElements));
    }
    return english;
}

// What a window or dialog outside the host windows says: title, labels, buttons, group boxes, editors' hints, column
// and line titles of its tables, and its charts' titles, series and axes.
QStringList texts(const QWidget* window)
{
    QStringList texts { window->windowTitle() };
    for (const QLabel* label : window->findChildren<QLabel*>())
        texts << label->text();
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
        texts << button->text();
    for (const QGroupBox* box : window->findChildren<QGroupBox*>())
        texts << box->title();
    for (const QLineEdit* edit : window->findChildren<QLineEdit*>())
        texts << edit->placeholderText();
    for (const QHeaderView* header : window->findChildren<QHeaderView*>()) {
        for (int section = 0; section < header->count(); ++section)
            texts << header->model()->headerData(section, header->orientation()).toString();
    }
    for (const QtCharts::QChartView* view : window->findChildren<QtCharts::QChartView*>()) {
        texts << view->chart()->title();
        for (const QtCharts::QAbstractSeries* series : view->chart()->series())
            texts << series->name();
        for (const QtCharts::QAbstractAxis* axis : view->chart()->axes())
            texts << axis->titleText();
    }
    texts.removeAll(QString());
    return texts;
}

// What a form's fields hold, empty ones too: the market's data, and names the host gives, such as the
// transaction's.
QStringList fieldValues(const QWidget* window)
{
    QStringList values;
    for (const QLineEdit* edit : window->findChildren<QLineEdit*>())
        values << edit->text();
    for (const QComboBox* box : window->findChildren<QComboBox*>())
        values << box->currentText();
    return values;
}

// The texts of a menu and of its submenus, but not of a submenu of choices only (the boards, named by the
// market's data; the languages, each named in itself), whose own title is still taken.
QStringList menuTexts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (const QAction* action : actions) {
        texts << action->text();
        const QMenu* sub = action->menu();
        if (!sub || std::all_of(sub->actions().cbegin(), sub->actions().cend(), [](const QAction* a) {
                return a->isCheckable();
            }))
            continue;
        texts << menuTexts(sub->actions());
    }
    return texts;
}

// What a window says around its rows: its title, the titles of its shown columns, its actions, the buttons and
// labels of its tool bars and filters, and the menu of its rows.
QStringList chrome(HostWindow* window)
{
    QStringList texts { window->windowTitle() };
    for (const QHeaderView* header : window->findChildren<QHeaderView*>()) {
        for (int section = 0; header->isVisibleTo(window) && section < header->count(); ++section) {
            if (!header->isSectionHidden(section))
                texts << header->model()->headerData(section, header->orientation()).toString();
        }
    }
    for (const QAction* action : window->findChildren<QAction*>())
        texts << action->text() << action->toolTip();
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
        texts << button->text();
    for (const QLabel* label : window->findChildren<QLabel*>())
        texts << label->text();
    QMenu menu;
    window->view()->populateActionsAt(window->view()->rect().center(), &menu);
    texts << menuTexts(menu.actions());
    texts.removeAll(QString());
    return texts;
}

// What a grouped tree shows above its elements: every group row's shown cells, and the tip of its first column.
QStringList groupRows(const QTreeView* tree, const QModelIndex& parent = QModelIndex())
{
    const QAbstractItemModel* model = tree->model();
    QStringList texts;
    if (!parent.isValid())
        texts << model->headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString();
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex group = model->index(row, 0, parent);
        if (!model->hasChildren(group))
            continue;
        for (int column = 0; column < model->columnCount(parent); ++column) {
            if (!tree->isColumnHidden(column))
                texts << group.siblingAtColumn(column).data().toString();
        }
        texts << groupRows(tree, group);
    }
    texts.removeAll(QString());
    return texts;
}

QStringList chrome(TerminalWindow& terminal)
{
    QStringList texts { terminal.windowTitle() };
    texts << menuTexts(terminal.menuBar()->actions());
    for (const QLabel* label : terminal.statusBar()->findChildren<QLabel*>())
        texts << label->text();
    for (const QDockWidget* dock : terminal.findChildren<QDockWidget*>())
        texts << dock->windowTitle();
    texts.removeAll(QString());
    return texts;
}

void keepLog(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    if (context.category && QByteArray(context.category) == QGuiLog().categoryName())
        g_logged << message;
}

} // namespace

// What the terminal says, run under the terminal's own application object: Qt's dialogs, dates, numbers, the
// exchange's messages and the log speak Russian; a command-line export prints only its result.
class tst_TerminalTexts : public QObject, private TerminalFixture
{
    Q_OBJECT

private:
    QLabel* statusLabel(const QString& start) const
    {
        for (QLabel* label : m_window->statusBar()->findChildren<QLabel*>()) {
            if (label->text().startsWith(start))
                return label;
        }
        return nullptr;
    }

private Q_SLOTS:
    void init()
    {
        startTerminalFixture(SampleMarketOptions::sized(300, 3000, 7));
        m_window = terminal();
    }
    void cleanup()
    {
        m_window.reset();
        // Whatever a test chose, the next one starts in the terminal's first language.
        TerminalLanguage::install();
        stopTerminalFixture();
    }

    void qtDialogsDatesAndNumbersAreRussian()
    {
        TableWindow* orders = table(*m_window, QStringLiteral("orders"));
        QStringList fileDialog;
        answerFileDialog([&](QFileDialog* dialog) {
            fileDialog = buttonTexts(dialog);
            dialog->reject();
        });
        orders->wrapper()->exportAction()->trigger();
        QVERIFY2(fileDialog.contains(QStringLiteral("Отмена")), qPrintable(fileDialog.join(" | ")));
        QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Apply | QDialogButtonBox::Cancel);
        const QStringList standard = buttonTexts(&buttons);
        QVERIFY2(standard.contains(QStringLiteral("Применить")) && standard.contains(QStringLiteral("Отмена")),
            qPrintable(standard.join(" | ")));

        // Under a C system locale the status bar groups thousands and the trees write dates the Russian way.
        QLabel* rows = nullptr;
        QTRY_VERIFY((rows = statusLabel(QStringLiteral("Строк в окнах: "))));
        const QRegularExpression grouped(QStringLiteral("^Строк в окнах: \\d{1,3}(\u00a0\\d{3})+$"));
        QTRY_VERIFY2(grouped.match(rows->text()).hasMatch(), qPrintable(rows->text()));
        m_feed->step(100);
        QLabel* batch = statusLabel(QStringLiteral("Последний пакет: "));
        QVERIFY(batch);
        const QRegularExpression decimal(QStringLiteral(" за \\d+,\\d мс$"));
        QVERIFY2(decimal.match(batch->text()).hasMatch(), qPrintable(batch->text()));
        // The count agrees with its noun, as Russian has it.
        const QRegularExpressionMatch counted
            = QRegularExpression(QStringLiteral("^Последний пакет: ([\\d\u00a0]+) (\\S+) за")).match(batch->text());
        QVERIFY2(counted.hasMatch(), qPrintable(batch->text()));
        const int n = counted.captured(1).remove(QChar(0xa0)).toInt();
        const bool few = n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 12 || n % 100 > 14);
        QCOMPARE(counted.captured(2),
            n % 10 == 1 && n % 100 != 11 ? QStringLiteral("изменение")
                : few                    ? QStringLiteral("изменения")
                                         : QStringLiteral("изменений"));
        open(*m_window, QStringLiteral("instruments"), QStringLiteral("По режимам"));
        auto* tree
            = dynamic_cast<TreeWindow*>(m_window->windowOf(QStringLiteral("instruments"))->view()->currentView());
        QVERIFY(tree);
        QTreeView* view = tree->view();
        view->expandAll();
        int expiry = -1;
        for (int c = 0; c < view->model()->columnCount(); ++c)
            expiry = view->model()->headerData(c, Qt::Horizontal, ColumnNameRole) == QStringLiteral("expdate") ? c
                                                                                                               : expiry;
        QVERIFY(expiry >= 0);
        QModelIndex dated;
        for (QModelIndex at = view->model()->index(0, 0); at.isValid() && !dated.isValid(); at = view->indexBelow(at)) {
            if (at.siblingAtColumn(expiry).data().toDate().isValid())
                dated = at.siblingAtColumn(expiry);
        }
        QVERIFY(dated.isValid());
        auto* delegate = qobject_cast<QStyledItemDelegate*>(view->itemDelegate(dated));
        QVERIFY(delegate);
        QCOMPARE(delegate->displayText(dated.data(), view->locale()),
            dated.data().toDate().toString(QStringLiteral("dd.MM.yyyy")));
    }

    void messagesAndLogLinesAreRussian()
    {
        const TransactionDescription change = m_market->core.sender()->description(1, EmbeddedExchange::ChangeOrder);
        m_exchange->execute(RawTransaction(change, { { QStringLiteral("OrderId"), QStringLiteral("0") } }, 1));
        QVERIFY(notified(QStringLiteral("Изменение заявки отклонено биржей")));

        // A stored filter whose value names nothing here stays off, and the log says so in Russian.
        MapSettings stored;
        table(*m_window, QStringLiteral("orders"))->store(stored);
        stored.setValue(QStringLiteral("filters/status.value"), QStringLiteral("мусор"));
        stored.setValue(QStringLiteral("filters/status.enabled"), true);
        g_logged.clear();
        const QtMessageHandler previous = qInstallMessageHandler(keepLog);
        table(*m_window, QStringLiteral("orders"))->restore(MapSettings(), stored);
        qInstallMessageHandler(previous);
        QVERIFY(!g_logged.isEmpty());
        for (const QString& line : qAsConst(g_logged))
            QVERIFY2(
                !line.contains(QRegularExpression(QStringLiteral("\\b(stays|off|value|names)\\b"))), qPrintable(line));
    }

    // Every window kind in every view, open while the trader switches the language; the choice outlives the run.
    void everyWindowSwitchesLanguage()
    {
        // Given a window of every kind showing each of its views, the feed having moved the market.
        QList<HostWindow*> windows;
        for (const QString& kind :
            QStringList { QStringLiteral("instruments"), QStringLiteral("orders"), QStringLiteral("deals"),
                QStringLiteral("positions"), QStringLiteral("limits"), QStringLiteral("picks") }) {
            HostWindow* first = m_window->openWindow(kind);
            const int views = first->view()->switcher()->actions().size();
            for (int v = 0; v < views; ++v) {
                HostWindow* window = v == 0 ? first : m_window->openWindow(kind);
                window->view()->switcher()->actions().at(v)->trigger();
                windows << window;
            }
        }
        QCOMPARE(windows.size(), 11);
        // And an order form and a withdrawal left open, an instrument's windows, a snapshot of the orders, an
        // order's status and side in view with the filter its row offers, an order's change, the orders exported
        // as they change with the export manager open, and the grouped trees' groups open.
        mainMenuAction(*m_window, QStringLiteral("Новая заявка..."))->trigger();
        mainMenuAction(*m_window, QStringLiteral("Снять все заявки..."))->trigger();
        QPointer<QWidget> orderForm = shown<AddOrderShortDialog>();
        QPointer<QWidget> withdrawal = shown<DropOrdersDialog>();
        QVERIFY(orderForm && withdrawal);
        auto tableOf = [&](const QString& kind) {
            TableWindow* found = nullptr;
            for (HostWindow* window : qAsConst(windows))
                found = !found && window->windowName() == kind ? TerminalWindow::tableView(window) : found;
            return found;
        };
        TableWindow* instruments = tableOf(QStringLiteral("instruments"));
        TableWindow* orders = tableOf(QStringLiteral("orders"));
        QVERIFY(instruments && orders && orders->model()->rowCount() > 0);
        const Record future = instrument(SampleMarket::FuturesBoard);
        const QString name = SecurityDirectory::i()->nameById(future.data(QStringLiteral("stock_id")).toInteger(),
            SampleMarket::FuturesBoard, future.data(QStringLiteral("sec_id")).toInteger64());
        // the order form on a future, so that it names its transaction
        static_cast<AddOrderShortDialog*>(orderForm.data())
            ->setValues({ { QStringLiteral("BoardId"), SampleMarket::FuturesBoard },
                { QStringLiteral("Security"), future.data(QStringLiteral("sec_code")).toString() } });
        instruments->view()->setCurrentRecord(future, 0);
        QTRY_VERIFY(instruments->securityActions()->action(SecurityActions::Quotes)->isEnabled());
        for (int type : { SecurityActions::Quotes, SecurityActions::Chart, SecurityActions::Information,
                 SecurityActions::VolatilityCurve, SecurityActions::AllDeals })
            instruments->securityActions()->action(type)->trigger();
        HostWindow* instrumentDeals = m_window->windows().last();
        orders->snapshotAction()->trigger();
        const auto active = [&](int row) {
            return orders->model()->at(row).data(QStringLiteral("status")).toInteger() == HostSchema::StatusActive;
        };
        int activeRow = 0;
        while (activeRow < orders->model()->rowCount() && !active(activeRow))
            ++activeRow;
        QVERIFY(activeRow < orders->model()->rowCount());
        {
            const QModelIndex order = orders->view()->QAbstractItemView::model()->index(activeRow, 0);
            orders->view()->scrollTo(order);
            QMenu menu;
            orders->populateActionsAt(
                orders->view()->viewport()->mapTo(orders, orders->view()->visualRect(order).center()), &menu);
            const QList<QAction*> actions = menu.actions();
            const auto change = std::find_if(actions.cbegin(), actions.cend(),
                [](const QAction* a) { return a->text().startsWith(QStringLiteral("Изменить заявку")); });
            QVERIFY(change != actions.cend());
            (*change)->trigger();
        }
        ViewWrapper* ordersWrapper = orders->wrapper();
        QVERIFY(ordersWrapper->dynamicExporter()->setup(
            ordersWrapper->createProxyModel(orders->model(), ordersWrapper->columnsExport()),
            QDir(m_config->path()).filePath(QStringLiteral("orders.csv")), 1));
        ordersWrapper->dynamicExporter()->start(0);
        QPointer<QWidget> exportManager = m_window->findChild<DynamicExporterStatusWidget*>()->openManager();
        QVERIFY(exportManager);
        const QList<QWidget*> others { orderForm, withdrawal, m_window->findChild<QuotesWindow*>(),
            m_window->findChild<ChartWindow*>(), m_window->findChild<SecurityInfoWindow*>(),
            m_window->findChild<SnapshotWindow*>(), m_window->findChild<VolatilityWindow*>(), shown<MoveOrderDialog>(),
            exportManager };
        QVERIFY(!others.contains(nullptr));
        QList<QTreeView*> groupedTrees;
        for (HostWindow* window : qAsConst(windows)) {
            if (auto* grouped = dynamic_cast<TreeGroupsWindow*>(window->view()->currentView())) {
                groupedTrees << grouped->view();
                grouped->view()->expandAll();
            }
        }
        QCOMPARE(groupedTrees.size(), 2);
        m_feed->step(100);
        TableFastViewWithFilter* ordersView = orders->view();
        const QModelIndex status
            = ordersView->QAbstractItemView::model()->index(0, orders->model()->columnIndex(QStringLiteral("status")));
        const QModelIndex side = status.siblingAtColumn(orders->model()->columnIndex(QStringLiteral("buysell")));
        const QString statusName = status.data().toString();
        const QString snapshotTitle = m_window->findChild<SnapshotWindow*>()->windowTitle();
        // The option series' name is the market's data, in the language the market wrote it.
        const QString curveOf = QStringLiteral("Кривая волатильности ");
        const QString curveTitle = m_window->findChild<VolatilityWindow*>()->windowTitle();
        QVERIFY2(curveTitle.startsWith(curveOf), qPrintable(curveTitle));
        const QString seriesName = curveTitle.mid(curveOf.size());
        auto opened = [&] {
            QStringList shown;
            for (const QWidget* window : others)
                shown << texts(window);
            // The export manager names the exporting window as its title reads.
            const QAbstractItemModel* exports
                = static_cast<DynamicExporterManagerDialog*>(exportManager.data())->view()->model();
            shown << exports->index(0, 0).data().toString();
            shown << instrumentDeals->windowTitle() << status.data().toString() << side.data().toString();
            QMenu menu;
            ordersView->populateActionsForIndex(status, &menu);
            return shown << menuTexts(menu.actions());
        };
        auto everything = [&] {
            QStringList texts = chrome(*m_window);
            for (HostWindow* window : qAsConst(windows))
                texts << chrome(window);
            for (const QTreeView* tree : qAsConst(groupedTrees))
                texts << groupRows(tree);
            return texts << opened();
        };
        auto values = [&] {
            QStringList held;
            for (const QWidget* window : others)
                held << fieldValues(window);
            return held;
        };
        auto settle = [] { QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange); };
        const QStringList russian = everything();
        const QStringList russianValues = values();
        const int openedCount = opened().size();
        auto* tree = dynamic_cast<TreeWindow*>(windows.at(2)->view()->currentView());
        QVERIFY(tree);
        tree->view()->expandAll();
        QModelIndex dated;
        for (QModelIndex at = tree->view()->model()->index(0, 0); at.isValid() && !dated.isValid();
             at = tree->view()->indexBelow(at)) {
            for (int c = 0; c < tree->view()->model()->columnCount() && !dated.isValid(); ++c)
                dated = at.siblingAtColumn(c).data().type() == QVariant::Date ? at.siblingAtColumn(c) : dated;
        }
        QVERIFY(dated.isValid());
        auto* dates = qobject_cast<QStyledItemDelegate*>(tree->view()->itemDelegate(dated));
        QVERIFY(dates);
        auto shownDate = [&] { return dates->displayText(dated.data(), tree->view()->locale()); };

        // When the trader chooses English.
        QAction* english = mainMenuAction(*m_window, QStringLiteral("English"));
        QVERIFY(english);
        english->trigger();
        settle();

        // Then nothing around the rows is Russian any more, and numbers and dates take the English forms.
        const QStringList translated = everything();
        const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
        QStringList untranslated;
        for (const QString& text : translated) {
            if (QString(text).remove(seriesName).contains(cyrillic))
                untranslated << text;
        }
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QStringLiteral(" | "))));
        // The texts of the dialogs and instrument windows are the translation file's English of what they said.
        const QMultiHash<QString, QString> translation = englishOf();
        const QStringList before = russian.mid(russian.size() - openedCount);
        const QStringList after = translated.mid(translated.size() - before.size());
        QCOMPARE(after.size(), before.size());
        // Pairs whose Russian is a source of `english` and whose text now is none of its translations; `sources`
        // counts the pairs that had a source.
        const auto mistranslated = [](const QMultiHash<QString, QString>& english, const QStringList& russianTexts,
                                       const QStringList& englishTexts, int* sources) {
            QStringList wrong;
            *sources = 0;
            for (int i = 0; i < russianTexts.size(); ++i) {
                if (!english.contains(russianTexts.at(i)))
                    continue;
                ++*sources;
                if (!english.values(russianTexts.at(i)).contains(englishTexts.at(i)))
                    wrong << russianTexts.at(i) + QStringLiteral(" -> ") + englishTexts.at(i);
            }
            return wrong;
        };
        int sourced = 0;
        const QStringList wrongTexts = mistranslated(translation, before, after, &sourced);
        QVERIFY2(wrongTexts.isEmpty(), qPrintable(wrongTexts.join(QStringLiteral(" | "))));
        QVERIFY2(sourced > 40, qPrintable(QString::number(sourced)));
        // and their fields hold the translation file's English of the names the exchange gave them (the others
        // hold the market's data, which may read as a text of the terminal's own, a board's name)
        const QMultiHash<QString, QString> exchangeNames = englishOf(QStringLiteral("EmbeddedExchange"));
        const QStringList englishValues = values();
        QCOMPARE(englishValues.size(), russianValues.size());
        int named = 0;
        const QStringList wrongNames = mistranslated(exchangeNames, russianValues, englishValues, &named);
        QVERIFY2(wrongNames.isEmpty(), qPrintable(wrongNames.join(QStringLiteral(" | "))));
        QVERIFY2(named >= 2, qPrintable(russianValues.join(QLatin1Char('|'))));
        const QString snapshotOf
            = translation.value(QStringLiteral("%1 — снимок %2"))
                  .arg(orders->windowTitle(), snapshotTitle.right(QStringLiteral("00:00:00").size()));
        for (const QString& expected : { translation.value(QStringLiteral("Котировки %1")).arg(name),
                 translation.value(QStringLiteral("График %1")).arg(name),
                 translation.value(QStringLiteral("Информация: %1")).arg(name),
                 translation.value(QStringLiteral("Сделки: %1")).arg(name), snapshotOf,
                 translation.value(QStringLiteral("Кривая волатильности %1")).arg(seriesName),
                 translation.value(QStringLiteral("Только '%1'")).arg(translation.value(statusName)) })
            QVERIFY2(
                translated.contains(expected), qPrintable(expected + QStringLiteral(" in ") + translated.join('|')));
        for (const QString& text :
            { QStringLiteral("Demo terminal"), QStringLiteral("Instruments 4"), QStringLiteral("Orders"),
                QStringLiteral("By board"), QStringLiteral("Market"), QStringLiteral("Language") })
            QVERIFY2(translated.contains(text), qPrintable(text));
        const QRegularExpression grouped(QStringLiteral("^Rows in windows: \\d{1,3}(,\\d{3})+$"));
        QVERIFY2(!translated.filter(grouped).isEmpty(), qPrintable(translated.filter("Rows").join(" | ")));
        QCOMPARE(shownDate(), dated.data().toDate().toString(QStringLiteral("dd/MM/yyyy")));

        // When the trader chooses Russian again, every text is what it was.
        QAction* russianChoice = mainMenuAction(*m_window, QStringLiteral("Русский"));
        QVERIFY(russianChoice);
        russianChoice->trigger();
        settle();
        QCOMPARE(everything(), russian);
        QCOMPARE(values(), russianValues);
        QCOMPARE(shownDate(), dated.data().toDate().toString(QStringLiteral("dd.MM.yyyy")));

        // When English is chosen and the terminal starts again (Russian, as a new process does), it speaks English.
        english->trigger();
        settle();
        m_window.reset();
        TerminalLanguage::install();
        m_window = terminal();
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Demo terminal"));
        QCOMPARE(m_window->openWindow(QStringLiteral("orders"))->windowTitle(), QStringLiteral("Orders"));
        QVERIFY(mainMenuAction(*m_window, QStringLiteral("English"))->isChecked());
    }

    // A file written while the terminal spoke English names the columns by their English titles: the import maps
    // them as it maps the Russian ones.
    void importMapsTheTitlesOfTheLanguage()
    {
        mainMenuAction(*m_window, QStringLiteral("English"))->trigger();
        QAction* import = m_window->importCommand()->action();
        m_window->openWindow(QStringLiteral("limits"));
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTRY_VERIFY(import->isEnabled());
        Table* limits = m_market->table(QStringLiteral("money_limits"));
        const QString client = limits->masterIndex()->at(0).data(QStringLiteral("account")).toString();
        const QString path = QDir(m_config->path()).filePath(QStringLiteral("limits.csv"));
        QFile csv(path);
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write(QStringLiteral("Account;Limit\n%1;777.5\n").arg(client).toUtf8());
        csv.close();
        answerFileDialog([&](QFileDialog* d) {
            d->selectFile(path);
            static_cast<QDialog*>(d)->accept();
        });
        QString unmapped;
        answerDialog<ImporterColumnsWizard>([&](ImporterColumnsWizard* wizard) {
            unmapped = wizard->page()->message();
            wizard->accept();
        });
        answerDialog<QMessageBox>([](QMessageBox* box) { box->accept(); });
        import->trigger();
        QCOMPARE(unmapped, QString());
        QCOMPARE(limits->findByKeyText(client).data(QStringLiteral("limit")).toString(), QStringLiteral("777.50"));
    }

    // The help speaks the language the trader chose: Qt's headings and the terminal's options alike.
    void helpSpeaksTheChosenLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("Russian") << QStringLiteral("ru");
        QTest::newRow("English") << QStringLiteral("en");
    }
    void helpSpeaksTheChosenLanguage()
    {
        QFETCH(QString, language);
        QSettings(QDir(m_config->path()).filePath(QStringLiteral("basic-views-demo.ini")), QSettings::IniFormat)
            .setValue(QStringLiteral("language"), language);
        QProcess demo;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        demo.setProcessEnvironment(env);
        demo.start(
            QStringLiteral(BV_DEMO_PATH), { QStringLiteral("--config"), m_config->path(), QStringLiteral("--help") });
        QVERIFY(demo.waitForFinished(60000));
        QCOMPARE(demo.exitCode(), 0);
        const QStringList lines = QString::fromUtf8(demo.readAllStandardOutput()).split(QLatin1Char('\n'));
        QCOMPARE(lines.filter(QStringLiteral("--replay")).size(), 1);
        // In English nothing is Russian; in Russian every option says what it does in Russian.
        const QRegularExpression cyrillic(QStringLiteral("\\p{Cyrillic}"));
        for (const QString& line : lines) {
            const bool option = line.trimmed().startsWith(QLatin1Char('-'));
            QVERIFY2(language == QLatin1String("en") ? !line.contains(cyrillic) : !option || line.contains(cyrillic),
                qPrintable(line));
        }
    }

    // A scheduler's export prints where it wrote, and nothing else.
    void commandLineExportPrintsOnlyItsResult()
    {
        const QString file = QDir(m_config->path()).filePath(QStringLiteral("orders.csv"));
        QProcess demo;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("DISPLAY"));
        // A sanitizer build's own report on exit is not the program's output.
        const QString lsan = env.value(QStringLiteral("LSAN_OPTIONS"));
        env.insert(QStringLiteral("LSAN_OPTIONS"),
            lsan.isEmpty() ? QStringLiteral("print_suppressions=0") : lsan + QStringLiteral(":print_suppressions=0"));
        demo.setProcessEnvironment(env);
        demo.start(QStringLiteral(BV_DEMO_PATH),
            { QStringLiteral("--orders"), QStringLiteral("300"), QStringLiteral("--config"), m_config->path(),
                QStringLiteral("--export"), QStringLiteral("orders"), file });
        QVERIFY(demo.waitForFinished(60000));
        QCOMPARE(demo.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(demo.readAllStandardError()), QString());
        QCOMPARE(QString::fromUtf8(demo.readAllStandardOutput()), QStringLiteral("wrote %1\n").arg(file));

        // With a window's filter it writes the rows the filter keeps, those of the whole window in its order; a
        // filter that names nothing of the windows written is refused.
        const QString filtered = QDir(m_config->path()).filePath(QStringLiteral("trader01.csv"));
        const auto run = [&](const QString& preset, const QString& path) {
            demo.start(QStringLiteral(BV_DEMO_PATH),
                { QStringLiteral("--orders"), QStringLiteral("300"), QStringLiteral("--config"), m_config->path(),
                    QStringLiteral("--export"), QStringLiteral("orders"), path, QStringLiteral("--filter"), preset });
            return demo.waitForFinished(60000);
        };
        QVERIFY(run(QStringLiteral("orders:Логин=trader01"), filtered));
        QCOMPARE(demo.exitCode(), 0);
        // The rows as order number and login: their times differ from run to run.
        const auto rows = [](const QString& path) {
            QFile in(path);
            const QStringList lines = in.open(QIODevice::ReadOnly)
                ? QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                : QStringList();
            const int login = lines.value(0).split(QLatin1Char(';')).indexOf(QStringLiteral("login"));
            QVector<QPair<QString, QString>> rows;
            for (int i = 1; i < lines.size(); ++i) {
                const QStringList fields = lines.at(i).split(QLatin1Char(';'));
                rows.append({ fields.value(0), fields.value(login) });
            }
            return rows;
        };
        QVector<QPair<QString, QString>> expected;
        const auto all = rows(file);
        for (const auto& row : all) {
            if (row.second == QLatin1String("trader01"))
                expected << row;
        }
        QVERIFY(!expected.isEmpty() && expected.size() < all.size());
        QCOMPARE(rows(filtered), expected);
        for (const QString& preset :
            { QStringLiteral("orders:Нет такого=1"), QStringLiteral("deals:Логин=trader01") }) {
            QVERIFY(run(preset, filtered));
            QCOMPARE(demo.exitCode(), 2);
            QVERIFY2(QString::fromUtf8(demo.readAllStandardError())
                         .contains(QStringLiteral("no such filter or value: ") + preset),
                qPrintable(preset));
        }
    }
};

int main(int argc, char** argv)
{
    // Whatever the machine's locale: the terminal's own must not depend on it.
    qputenv("LC_ALL", "C.UTF-8");
    TerminalApplication app(argc, argv);
    tst_TerminalTexts test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_terminaltexts.moc"
