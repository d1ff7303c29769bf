#include "cataloguewindow.h"
#include "core/db/mapsettings.h"
#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/host/filters/filter.h"
#include "core/host/widgets/outlinewidget.h"
#include "filters/catalogue/keyfilters.h"
#include "filters/catalogue/plainfilters.h"
#include "filters/catalogue/standardfilters.h"
#include "filters/rowfiltersmodel.h"
#include "filters/widgets/keycombofilterwidget.h"
#include "filters/widgets/quantityfilterwidget.h"
#include "marketfixture.h"
#include "models/tableindexmodel.h"
#include "recordfields.h"
#include "views/filtering/filtersheaderview.h"
#include "views/filtering/filterssettingspage.h"
#include "views/filtering/filterstoolbar.h"
#include "views/filtering/private/filterssettingswidget.h"
#include "windows/tablefastviewwithfilter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QtTest>

#include <functional>

namespace {

// An orders window as the terminal opens one: the catalogue's columns and filters, a shown view.
struct OrdersWindow : MarketFixture, CatalogueWindow
{
    OrdersWindow()
        : CatalogueWindow(table(QStringLiteral("orders")))
    { }
    // Orders of the table that satisfy `keep`: what the view must show.
    int countInTable(const std::function<bool(const Record&)>& keep) const
    {
        int count = 0;
        const MasterIndex* all = model.table()->masterIndex();
        for (int row = 0; row < all->count(); ++row)
            count += keep(all->at(row)) ? 1 : 0;
        return count;
    }
};

QAction* findAction(const QMenu* menu, const QString& text)
{
    for (QAction* action : menu->actions()) {
        if (action->text() == text)
            return action;
        if (action->menu()) {
            if (QAction* inner = findAction(action->menu(), text))
                return inner;
        }
    }
    return nullptr;
}

} // namespace

class tst_TableFastViewWithFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Given the orders window, when the trader unchecks a status in the header's filter list, then the rows
    // without it remain, the title turns bold, and "Снять все фильтры" brings everything back.
    void headerFilterNarrowsTheRowsAndBoldsTheTitle()
    {
        OrdersWindow window;
        const int status = window.column("status");
        const int all = window.model.rowCount();
        QMenu menu;
        window.view.populateActionsForColumn(status, &menu);
        QAction* cancelled = findAction(&menu, QStringLiteral("Снята"));
        QVERIFY(cancelled && cancelled->isChecked());
        cancelled->setChecked(false);
        const int cancelledCode = window.model.filtersModel()->filtersForColumn(status).first()->value().toInt();
        const int expected = window.countInTable([&](const Record& r) { return number(r, "status") != cancelledCode; });
        QVERIFY(expected < all);
        QTRY_COMPARE(window.model.rowCount(), expected);
        QVERIFY(window.titleIsBold(status));

        QMenu again;
        window.view.populateActionsForColumn(status, &again);
        QVERIFY(findAction(&again, QStringLiteral("Показать все")));
        findAction(&again, QStringLiteral("Снять все фильтры"))->trigger();
        QTRY_COMPARE(window.model.rowCount(), all);
        QVERIFY(!window.titleIsBold(status));
    }

    void cellMenuShowsOnlyTheCellsValue()
    {
        OrdersWindow window;
        const int side = window.column("buysell");
        const QModelIndex cell = window.model.index(0, side);
        const QString value = text(window.model.recordByIndex(cell), "buysell");
        QMenu menu;
        window.view.populateActionsForIndex(cell, &menu);
        QAction* only = nullptr;
        for (QAction* action : menu.actions()) {
            if (action->text().startsWith(QStringLiteral("Только '")))
                only = action;
        }
        QVERIFY(only);
        only->trigger();
        QTRY_COMPARE(
            window.model.rowCount(), window.countInTable([&](const Record& r) { return text(r, "buysell") == value; }));
        QMenu second;
        window.view.populateActionsForIndex(window.model.index(0, side), &second);
        QVERIFY(!findAction(&second, only->text())); // it shows exactly that value already
    }

    void toolBarFilterActsAsSoonAsItsEditorChanges()
    {
        OrdersWindow window;
        auto* quantity = qobject_cast<QuantityFilter*>(window.filter(QStringLiteral("Количество")));
        QVERIFY(quantity);
        FiltersToolBar bar;
        bar.setView(&window.view);
        bar.addFilter(quantity);
        auto* editor = bar.getWidget()->findChild<QuantityFilterWidget*>();
        QVERIFY(editor);
        editor->spin()->setValue(30);
        editor->check()->setChecked(true);
        const int column = window.column("quantity");
        QTRY_COMPARE(
            window.model.rowCount(), window.countInTable([&](const Record& r) { return number(r, "quantity") >= 30; }));
        QVERIFY(window.titleIsBold(column));
        // Switched off from the header, the bar's editor follows.
        QMenu menu;
        window.view.populateActionsForColumn(column, &menu);
        findAction(&menu, QStringLiteral("Снять все фильтры"))->trigger();
        QTRY_VERIFY(!editor->check()->isChecked());
    }

    // On a bar, the expiry list offers only the dates of the chosen base contract, and choosing both leaves the
    // instruments of that contract and date.
    void expiryOnABarFollowsTheBaseContract()
    {
        MarketFixture market;
        CatalogueWindow window(market.table(QStringLiteral("securities")));
        TableIndexModel& model = window.model;
        TableFastViewWithFilter& view = window.view;
        // Over a window's rows, as the terminal places it; tiling gives the window its width whatever it needs.
        QWidget area;
        auto* tile = new QWidget(&area);
        auto* bar = new FiltersToolBar(tile);
        (new QVBoxLayout(tile))->addWidget(bar);
        bar->setView(&view);
        for (Filter* filter : model.filtersModel()->filters()) {
            if (qobject_cast<SecNameFilter*>(filter) || qobject_cast<ExpDateFilter*>(filter))
                bar->addFilter(filter);
        }
        // The bar's own forms of the editors, each titled.
        auto* contract = bar->getWidget()->findChild<SecNameFilterToolBarWidget*>();
        auto* expiry = bar->getWidget()->findChild<ExpDateFilterToolBarWidget*>();
        QVERIFY(contract && expiry && contract->box()->count() > 2);
        const auto title = [](KeyComboFilterWidget* editor) {
            for (const QLabel* label : editor->findChildren<QLabel*>()) {
                if (label->buddy() == editor->box())
                    return label->text();
            }
            return QString();
        };
        QCOMPARE(title(contract), QStringLiteral("Базовый контракт:"));
        QCOMPARE(title(expiry), QStringLiteral("Экспирация:"));
        // Narrower than its editors, the bar keeps each whole and apart and scrolls to the last.
        tile->setGeometry(0, 0, contract->minimumSizeHint().width(), 100);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        QVERIFY(contract->width() >= contract->minimumSizeHint().width());
        QVERIFY(expiry->width() >= expiry->minimumSizeHint().width());
        QVERIFY(!contract->geometry().intersects(expiry->geometry()));
        auto* scroll = bar->findChild<QScrollArea*>();
        QVERIFY(scroll && scroll->horizontalScrollBar()->isVisible());
        scroll->ensureWidgetVisible(expiry);
        QVERIFY(scroll->viewport()->rect().contains(expiry->geometry().translated(bar->getWidget()->pos())));
        contract->box()->setCurrentIndex(1);
        Q_EMIT contract->box()->activated(1);
        const qint64 isin = contract->value().toLongLong();
        const int base = model.columnIndex(QStringLiteral("fut_isin_id"));
        const int expdate = model.columnIndex(QStringLiteral("expdate"));
        // The dates as the locale writes them.
        QSet<QString> dates;
        const MasterIndex* all = model.table()->masterIndex();
        for (int row = 0; row < all->count(); ++row) {
            if (all->at(row).data(base).toInteger64() == isin)
                dates.insert(QLocale().toString(all->at(row).data(expdate).toDatetime().date(), QLocale::ShortFormat));
        }
        QCOMPARE(expiry->box()->count() - 1, dates.size());
        expiry->box()->setCurrentIndex(1);
        Q_EMIT expiry->box()->activated(1);
        QVERIFY(dates.contains(expiry->box()->currentText()));
        QTRY_VERIFY(model.rowCount() > 0);
        QTRY_VERIFY(model.rowCount() < all->count());
        for (int row = 0; row < model.rowCount(); ++row) {
            QCOMPARE(model.at(row).data(base).toInteger64(), isin);
            QCOMPARE(QLocale().toString(model.at(row).data(expdate).toDatetime().date(), QLocale::ShortFormat),
                expiry->box()->currentText());
        }
    }

    void settingsPageShowsTheFilterInItsSectionAndAppliesOnLeaving()
    {
        OrdersWindow window;
        QuantityFilter* quantity = qobject_cast<QuantityFilter*>(window.filter(QStringLiteral("Количество")));
        quantity->setValue(QStringLiteral("40"));
        window.model.filtersModel()->setFilterEnabled(window.model.filtersModel()->indexOf(quantity), true);
        MapSettings stored;
        window.view.store(stored);

        FiltersSettingsPage page(window.model.filtersModel());
        QVERIFY(page.matches(QStringLiteral("количество")));
        QWidget holder;
        QWidget* created = page.createPage(stored, &holder);
        holder.show();
        auto* filters = qobject_cast<FiltersSettingsWidget*>(created);
        const int row = filters->filters().indexOf(quantity);
        const int section = filters->sectionOf(row);
        QCOMPARE(filters->outline()->title(section), quantity->name());
        QVERIFY(filters->outline()->isRowHighlighted(section));
        auto* editor = qobject_cast<QuantityFilterWidget*>(filters->getWidgets().at(row));
        QCOMPARE(editor->spin()->value(), 40);
        editor->spin()->setValue(45);
        holder.hide(); // leaving the page applies
        QCOMPARE(quantity->minimum(), qint64(45));
        MapSettings written;
        page.apply(written);
        QCOMPARE(written.value(QStringLiteral("filters/quantity.value")).toString(), QStringLiteral("45"));
    }

    // The arrows as in any Qt view: with Shift they extend the selection from the row it started on, also once
    // that row has scrolled out of sight; with Ctrl they move the current row and leave the selection.
    void arrowsExtendTheSelectionWithShiftAndMoveAloneWithCtrl()
    {
        OrdersWindow window;
        QVERIFY(QTest::qWaitForWindowExposed(&window.view));
        auto selected = [&] {
            QList<int> rows;
            for (const QModelIndex& index : window.view.selectionModel()->selectedRows())
                rows << index.row();
            std::sort(rows.begin(), rows.end());
            return rows;
        };
        auto press = [&](Qt::Key key, Qt::KeyboardModifier modifier, int times) {
            for (int i = 0; i < times; ++i)
                QTest::keyClick(&window.view, key, modifier);
        };
        window.view.setCurrentIndex(window.model.index(5, 0));
        const Record anchor = window.model.recordByIndex(window.model.index(5, 0));
        press(Qt::Key_Down, Qt::ShiftModifier, 2);
        QCOMPARE(selected(), (QList<int> { 5, 6, 7 }));
        // The market inserts orders between the trader's steps (Qt merges a Shift range into the rest on an
        // insert): the next steps still select exactly the rows from the anchor to the current row.
        {
            Table* orders = window.model.table();
            RecordsTrans trans(orders);
            for (int i = 0; i < 3; ++i) {
                Record order = orders->masterIndex()->at(i).clone();
                order.data(QStringLiteral("order_num")) = qint64(900000001 + i);
                RecordUpdater(order, trans);
            }
            trans.commit();
        }
        press(Qt::Key_Up, Qt::ShiftModifier, 3);
        const int from = window.model.indexByRecord(anchor).row();
        const int to = window.view.currentIndex().row();
        QList<int> range;
        for (int row = qMin(from, to); row <= qMax(from, to); ++row)
            range << row;
        QCOMPARE(selected(), range);
        press(Qt::Key_Down, Qt::ControlModifier, 2);
        QCOMPARE(window.view.currentIndex().row(), to + 2);
        QCOMPARE(selected(), range);

        // The current row shows where it is, selected or not, while the view has the focus.
        window.view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window.view));
        window.view.setFocus();
        QTRY_VERIFY(window.view.hasFocus());
        auto picture = [&](int row) {
            const QRect cell = window.view.visualRect(window.model.index(row, 0));
            return window.view.viewport()
                ->grab(QRect(0, cell.top(), window.view.viewport()->width(), cell.height()))
                .toImage();
        };
        const QImage current = picture(6);
        const QImage plain = picture(7);
        press(Qt::Key_Down, Qt::ControlModifier, 1);
        QVERIFY2(picture(7) != plain, "the row that became current looks as before");
        QVERIFY2(picture(6) != current, "the row left behind still looks current");
        window.view.clearFocus();
        QVERIFY(!window.view.hasFocus());
        QVERIFY2(picture(7) == plain, "a view without the focus marks its current row");

        const int page = window.view.viewport()->height() / window.view.rowHeight();
        window.view.setCurrentIndex(window.model.index(0, 0));
        press(Qt::Key_Down, Qt::ShiftModifier, 2 * page);
        QCOMPARE(window.view.currentIndex().row(), 2 * page);
        QCOMPARE(selected().size(), 2 * page + 1);
    }

    void currentRecordAndScrollSurviveStoreRestoreAndResort()
    {
        OrdersWindow window;
        window.view.setCurrentIndex(window.model.index(window.model.rowCount() / 2, window.column("price")));
        window.view.verticalScrollBar()->setValue(window.view.verticalScrollBar()->maximum() / 3);
        const Record current = window.view.currentRecord();
        const int scroll = window.view.verticalScrollBar()->value();
        MapSettings stored;
        window.view.store(stored);

        // A new window over the same table.
        CatalogueWindow again(window.model.table());
        TableFastViewWithFilter& view = again.view;
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.restore(MapSettings(), stored);
        QCOMPARE(view.currentRecord(), current);
        QCOMPARE(view.currentColumn(), window.column("price"));
        QVERIFY(qAbs(view.verticalScrollBar()->value() - scroll) <= 1);

        // A re-sort moves the record, not the current record.
        view.sortByColumn(window.column("quantity"), Qt::AscendingOrder);
        QCOMPARE(view.currentRecord(), current);
    }

    void orderedStateClearsTheSortAndAHiddenColumnFallsToTheFirstShown()
    {
        OrdersWindow window;
        window.view.setSortingEnabled(true);
        window.view.sortByColumn(window.column("price"), Qt::AscendingOrder);
        window.view.setCurrentIndex(window.model.index(3, window.column("price")));
        MapSettings stored;
        window.view.store(stored);
        stored.setValue(QStringLiteral("ordered"), true);
        stored.setValue(QStringLiteral("Columns/price.visible"), false);
        const Record current = window.view.currentRecord();
        window.view.restore(MapSettings(), stored);
        QCOMPARE(window.view.header()->sortIndicatorSection(), -1);
        QCOMPARE(window.view.currentRecord(), current);
        QCOMPARE(window.view.currentColumn(), window.view.header()->logicalIndex(0));
    }
};

QTEST_MAIN(tst_TableFastViewWithFilter)
#include "tst_tablefastviewwithfilter.moc"
