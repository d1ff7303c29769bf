#include "columns/itemmodelwithdelegates.h"
#include "columns/itemroles.h"
#include "core/db/appsettings.h"
#include "core/db/mapsettings.h"
#include "models/tableindexmodel.h"
#include "ordertable.h"
#include "views/headersettings/private/tableheadermimedata.h"
#include "views/headersettings/private/tableheadersettingsform.h"
#include "views/headersettings/tableheadermodel.h"
#include "views/headersettings/tableheadersettingspage.h"
#include "views/headersettings/tableheadervisiblemodel.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QHeaderView>
#include <QRandomGenerator>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include <memory>

namespace {

// The identifiers of a list's rows, in order: one string for one comparison.
QString names(const QAbstractItemModel& model)
{
    QStringList out;
    for (int row = 0; row < model.rowCount(); ++row)
        out << model.index(row, TableHeaderModel::NameColumn).data().toString();
    return out.join(QLatin1Char(' '));
}

// A model with named columns, and a header over it: the shape a window's layout is stored from.
struct Columns
{
    explicit Columns(const QStringList& columnNames)
        : model(0, columnNames.size())
    {
        for (int c = 0; c < columnNames.size(); ++c) {
            model.setHeaderData(c, Qt::Horizontal, columnNames.at(c), ColumnNameRole);
            model.setHeaderData(c, Qt::Horizontal, columnNames.at(c).toUpper(), Qt::DisplayRole);
        }
        header.setModel(&model);
    }
    // The shown columns, left to right, with widths where asked.
    QString shown(bool widths = false) const
    {
        QStringList out;
        for (int visual = 0; visual < header.count(); ++visual) {
            const int c = header.logicalIndex(visual);
            if (header.isSectionHidden(c))
                continue;
            const QString name = model.headerData(c, Qt::Horizontal, ColumnNameRole).toString();
            out << (widths ? QStringLiteral("%1=%2").arg(name).arg(header.sectionSize(c)) : name);
        }
        return out.join(QLatin1Char(' '));
    }
    QStandardItemModel model;
    QHeaderView header { Qt::Horizontal };
};

} // namespace

class tst_TableHeaderModel : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settings;
    std::unique_ptr<Table> m_table;
    std::unique_ptr<TableIndexModel> m_source;
    const QString m_all = QStringLiteral("order_num stock_id board_id sec_id buysell price quantity account moment "
                                         "volat status");

private Q_SLOTS:
    void initTestCase() { AppSettings::setLocation(m_settings.path()); }
    void init()
    {
        m_table.reset(makeOrderTable());
        m_source = std::make_unique<TableIndexModel>(m_table.get());
    }

    void listsTheColumnsAndTheCheckedOnesUnderTheTester()
    {
        TableHeaderModel columns(m_source.get());
        TableHeaderVisibleModel visible(&columns);
        QAbstractItemModelTester testAll(&columns, QAbstractItemModelTester::FailureReportingMode::Fatal);
        QAbstractItemModelTester testShown(&visible, QAbstractItemModelTester::FailureReportingMode::Fatal);
        QCOMPARE(names(columns), m_all);
        QCOMPARE(columns.index(5, TableHeaderModel::TitleColumn).data().toString(), QStringLiteral("Цена"));
        QCOMPARE(names(visible), m_all);
        QVERIFY(!visible.index(0, 0).data(Qt::CheckStateRole).isValid());

        columns.setData(columns.index(1, 0), Qt::Unchecked, Qt::CheckStateRole);
        columns.setData(columns.index(3, 0), Qt::Unchecked, Qt::CheckStateRole);
        QCOMPARE(
            names(visible), QStringLiteral("order_num board_id buysell price quantity account moment volat status"));

        // Only the check box of the title is editable; other cells refuse.
        QVERIFY(!columns.setData(columns.index(2, 1), Qt::Unchecked, Qt::CheckStateRole));
        QVERIFY(!columns.setData(columns.index(2, 0), QStringLiteral("x"), Qt::EditRole));

        // Offered columns only, by name; unknown names are ignored.
        TableHeaderModel offered(
            m_source.get(), QStringList { QStringLiteral("price"), QStringLiteral("nope"), QStringLiteral("account") });
        QCOMPARE(names(offered), QStringLiteral("price account"));
    }

    void dropsMoveRowsAsAPlainListWould()
    {
        // Random drags against an oracle: the dragged rows, in their order, go before the target row.
        QRandomGenerator random(QRandomGenerator::global()->generate());
        const quint32 seed = random.generate();
        random.seed(seed);
        TableHeaderModel columns(m_source.get());
        QAbstractItemModelTester tester(&columns, QAbstractItemModelTester::FailureReportingMode::Fatal);
        QStringList oracle = m_all.split(QLatin1Char(' '));
        for (int round = 0; round < 200; ++round) {
            QModelIndexList dragged;
            QStringList moving;
            QList<int> rows;
            for (int row = 0; row < oracle.size(); ++row) {
                if (random.bounded(4) == 0)
                    rows << row;
            }
            if (rows.isEmpty())
                rows << int(random.bounded(oracle.size()));
            for (int row : qAsConst(rows)) {
                // Several cells of a row drag it once.
                dragged << columns.index(row, 0) << columns.index(row, 1);
                moving << oracle.at(row);
            }
            const int target = int(random.bounded(oracle.size() + 2)) - 1; // -1: the end
            QStringList rest;
            int before = 0;
            for (int row = 0; row < oracle.size(); ++row) {
                if (rows.contains(row))
                    continue;
                rest << oracle.at(row);
                if (target >= 0 && row < target)
                    ++before;
            }
            if (target < 0)
                before = rest.size();
            oracle = rest.mid(0, before) + moving + rest.mid(before);

            const std::unique_ptr<QMimeData> data(columns.mimeData(dragged));
            QVERIFY(data->formats().startsWith(QStringLiteral("application/x-tableheadermodel-move")));
            QVERIFY2(columns.dropMimeData(data.get(), Qt::MoveAction, target, 0, QModelIndex()),
                qPrintable(QStringLiteral("seed %1").arg(seed)));
            QVERIFY2(names(columns) == oracle.join(QLatin1Char(' ')), qPrintable(QStringLiteral("seed %1").arg(seed)));
        }
    }

    void dropsItRefuses()
    {
        TableHeaderModel columns(m_source.get());
        const std::unique_ptr<QMimeData> row(columns.mimeData({ columns.index(2, 0) }));
        QVERIFY(!columns.dropMimeData(row.get(), Qt::CopyAction, 0, 0, QModelIndex()));
        QMimeData foreign;
        foreign.setData(TableHeaderMimeData::mimeType(), QByteArray("2"));
        QVERIFY(!columns.dropMimeData(&foreign, Qt::MoveAction, 0, 0, QModelIndex()));
        TableHeaderMimeData empty({});
        QVERIFY(!columns.dropMimeData(&empty, Qt::MoveAction, 0, 0, QModelIndex()));
        QVERIFY(!columns.mimeData({}));
        QCOMPARE(names(columns), m_all);
    }

    void dragFromTheShownListDropsIntoTheFullOne()
    {
        TableHeaderModel columns(m_source.get());
        TableHeaderVisibleModel visible(&columns);
        for (int row : { 1, 2, 3 })
            columns.setData(columns.index(row, 0), Qt::Unchecked, Qt::CheckStateRole);
        // "account" is row 4 of the shown list; it goes to the top of the full list.
        const std::unique_ptr<QMimeData> data(visible.mimeData({ visible.index(4, 0) }));
        QVERIFY(columns.dropMimeData(data.get(), Qt::MoveAction, 0, 0, QModelIndex()));
        QCOMPARE(names(visible), QStringLiteral("account order_num buysell price quantity moment volat status"));
    }

    void lockedFirstColumnStaysOnTop()
    {
        TableHeaderModel columns(m_source.get());
        columns.setFirstColumnLocked(true);
        QCOMPARE(columns.property("firstColumnLocked").toBool(), true);
        QVERIFY(!(columns.flags(columns.index(0, 0)) & Qt::ItemIsDragEnabled));
        const std::unique_ptr<QMimeData> data(columns.mimeData({ columns.index(5, 0) }));
        QVERIFY(columns.dropMimeData(data.get(), Qt::MoveAction, 0, 0, QModelIndex()));
        QVERIFY(names(columns).startsWith(QStringLiteral("order_num price stock_id")));
    }

    void layoutSurvivesColumnsAddedRemovedAndRenamed()
    {
        // Given a layout stored through a real INI file: d moved to the front, b hidden, c 77 wide and sorted.
        Columns before({ QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d") });
        before.header.moveSection(3, 0);
        before.header.hideSection(1);
        before.header.resizeSection(2, 77);
        before.header.setSortIndicator(2, Qt::DescendingOrder);
        {
            AppSettings file(QStringLiteral("layout"));
            ItemModelWithDelegates::storeHeader(&before.header, &before.model, file);
        }
        // When it is restored onto a model that lost b, renamed a to a2 and gained e.
        Columns after({ QStringLiteral("a2"), QStringLiteral("c"), QStringLiteral("d"), QStringLiteral("e") });
        after.header.setSortIndicator(0, Qt::AscendingOrder);
        ItemModelWithDelegates::restoreHeader(&after.header, &after.model, AppSettings(QStringLiteral("layout")));
        // Then the known columns keep their order and width, the new ones are hidden, the sort follows c.
        QCOMPARE(after.shown(), QStringLiteral("d c"));
        QCOMPARE(after.header.sectionSize(1), 77);
        QCOMPARE(after.header.sortIndicatorSection(), 1);
        QCOMPARE(after.header.sortIndicatorOrder(), Qt::DescendingOrder);

        // A sort column that is gone or hidden gives the indicator to the leftmost column.
        Columns gone({ QStringLiteral("a"), QStringLiteral("d") });
        ItemModelWithDelegates::restoreHeader(&gone.header, &gone.model, AppSettings(QStringLiteral("layout")));
        QCOMPARE(gone.shown(), QStringLiteral("d a"));
        QCOMPARE(gone.header.sortIndicatorSection(), 1);
    }

    void handEditedLayoutRestoresWhatIsValid()
    {
        Columns columns({ QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c") });
        columns.header.resizeSection(0, 50);
        columns.header.resizeSection(1, 60);
        MapSettings edited;
        edited.setValue(QStringLiteral("all_columns"),
            QStringList { QStringLiteral("c"), QStringLiteral("a"), QStringLiteral("c"), QStringLiteral("b") });
        edited.setValue(QStringLiteral("Columns/a.visible"), true);
        edited.setValue(QStringLiteral("Columns/a.width"), QStringLiteral("abc"));
        edited.setValue(QStringLiteral("Columns/b.visible"), true);
        edited.setValue(QStringLiteral("Columns/b.width"), -40);
        edited.setValue(QStringLiteral("Columns/c.visible"), true);
        edited.setValue(QStringLiteral("Columns/c.width"), 90);
        edited.setValue(QStringLiteral("sortColumn"), QStringLiteral("b"));
        edited.setValue(QStringLiteral("sortOrder"), QStringLiteral("sideways"));
        ItemModelWithDelegates::restoreHeader(&columns.header, &columns.model, edited);
        QCOMPARE(columns.shown(true), QStringLiteral("c=90 a=50 b=60"));
        QCOMPARE(columns.header.sortIndicatorOrder(), Qt::AscendingOrder);

        // Every column switched off by hand: the window still shows its columns.
        for (const char* name : { "a", "b", "c" })
            edited.setValue(QStringLiteral("Columns/%1.visible").arg(QLatin1String(name)), false);
        ItemModelWithDelegates::restoreHeader(&columns.header, &columns.model, edited);
        QCOMPARE(columns.shown(), QStringLiteral("c a b"));

        // "desc" in any case sorts descending; without "all_columns" the columns stay as they are.
        MapSettings sortOnly;
        sortOnly.setValue(QStringLiteral("sortColumn"), QStringLiteral("a"));
        sortOnly.setValue(QStringLiteral("sortOrder"), QStringLiteral("desc"));
        ItemModelWithDelegates::restoreHeader(&columns.header, &columns.model, sortOnly);
        QCOMPARE(columns.shown(), QStringLiteral("c a b"));
        QCOMPARE(columns.header.sortIndicatorSection(), 0);
        QCOMPARE(columns.header.sortIndicatorOrder(), Qt::DescendingOrder);
    }

    void pageEditsTheStoredLayoutAndTheHeaderFollows()
    {
        // Given a window's header with "sec_id" hidden and "price" 120 wide.
        QHeaderView header(Qt::Horizontal);
        header.setModel(m_source.get());
        header.hideSection(3);
        header.resizeSection(5, 120);
        MapSettings state;
        ItemModelWithDelegates::storeHeader(&header, m_source.get(), state);

        TableHeaderModel columns(m_source.get());
        TableHeaderSettingsPage page(&columns);
        QWidget parent;
        QWidget* widget = page.createPage(state, &parent);
        auto* form = qobject_cast<TableHeaderSettingsForm*>(widget);
        QVERIFY(form);
        QCOMPARE(form->findChild<QCheckBox*>(QStringLiteral("selectAll"))->checkState(), Qt::PartiallyChecked);
        // When the user moves "price" and "quantity" up twice (above "sec_id" and "buysell") and shows "sec_id".
        form->treeView()->selectionModel()->select(QItemSelection(columns.index(5, 0), columns.index(6, 0)),
            QItemSelectionModel::Select | QItemSelectionModel::Rows);
        auto* up = form->findChild<QToolButton*>(QStringLiteral("toolButtonUpper"));
        QVERIFY(up->isEnabled());
        up->click();
        up->click();
        columns.setData(columns.index(5, 0), Qt::Checked, Qt::CheckStateRole);
        QCOMPARE(form->findChild<QCheckBox*>(QStringLiteral("selectAll"))->checkState(), Qt::Checked);
        page.apply(state);

        // Then the header shows the new order, "price" keeps its width, every column is listed.
        QCOMPARE(state.value(QStringLiteral("all_columns")).toStringList().size(), m_source->columnCount());
        ItemModelWithDelegates::restoreHeader(&header, m_source.get(), state);
        QStringList shown;
        for (int visual = 0; visual < header.count(); ++visual)
            shown << m_source->headerData(header.logicalIndex(visual), Qt::Horizontal, ColumnNameRole).toString();
        QCOMPARE(shown.join(QLatin1Char(' ')),
            QStringLiteral("order_num stock_id board_id price quantity sec_id buysell account moment volat status"));
        QVERIFY(!header.isSectionHidden(3));
        QCOMPARE(header.sectionSize(5), 120);
        page.finish();
        QVERIFY(!page.form());
    }
};

QTEST_MAIN(tst_TableHeaderModel)
#include "tst_tableheadermodel.moc"
