#include "columns/columnmodeldelegate.h"
#include "core/db/appsettings.h"
#include "core/db/mapsettings.h"
#include "core/db/masterindex.h"
#include "filters/catalogue/directoryfilters.h"
#include "filters/enumfilterfunc.h"
#include "filters/listfilterfunc.h"
#include "filters/nofilterfunc.h"
#include "filters/rowfiltersmodel.h"
#include "marketfixture.h"
#include "recordlistmodel.h"
#include "sidefilter.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// A filter shown on a model column of its own.
class ComputedFilter : public ValueFilter
{
public:
    ComputedFilter(Table& table, int column, int modelColumn)
        : ValueFilter(table, column, { column }, modelColumn)
    { }
    QString name() const override { return QStringLiteral("Объём"); }
};

// A filter that knows its table column only, not the table.
class PlainFilter : public Filter
{
public:
    using Filter::Filter;
    QString name() const override { return QStringLiteral("Количество"); }
};

// A computed column that names itself.
class NamedDelegate : public ColumnModelDelegate
{
public:
    bool headerData(int role, QVariant& value) const override
    {
        if (role != ColumnNameRole)
            return false;
        value = QStringLiteral("order_value");
        return true;
    }
    FieldType::Type getType() const override { return FieldType::Decimal; }
    int type() const override { return qMetaTypeId<decimal>(); }
    bool data(const Field&, const Record&, int, QVariant&) const override { return false; }
};

} // namespace

class tst_RowFiltersModel : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MarketFixture> m_market;
    std::unique_ptr<RecordListModel> m_orders;
    std::unique_ptr<RowFiltersModel> m_set;
    std::unique_ptr<StatusFilter> m_status;
    std::unique_ptr<SideFilter> m_side;
    QTemporaryDir m_dir;
    Table* orders() const { return m_market->table(QStringLiteral("orders")); }

private Q_SLOTS:
    void initTestCase() { AppSettings::setLocation(m_dir.path()); }
    void init()
    {
        m_market = std::make_unique<MarketFixture>();
        m_orders = std::make_unique<RecordListModel>(orders());
        m_set = std::make_unique<RowFiltersModel>(m_orders.get());
        new QAbstractItemModelTester(m_set.get(), QAbstractItemModelTester::FailureReportingMode::Fatal, m_set.get());
        m_status = std::make_unique<StatusFilter>(*orders());
        m_side = std::make_unique<SideFilter>(*orders());
        m_set->addFilter(m_status.get());
        m_set->addFilter(m_side.get());
    }
    void cleanup()
    {
        m_set.reset();
        m_status.reset();
        m_side.reset();
        m_orders.reset();
        m_market.reset();
    }

    void aFilterWithoutValueCannotBeEnabledAndShowsDisabled()
    {
        QSignalSpy enabled(m_set.get(), &RowFiltersModel::filterEnabled);
        QSignalSpy changed(m_set.get(), &RowFiltersModel::filterChanged);
        QVERIFY(!(m_set->flags(m_set->index(0, 0)) & Qt::ItemIsEnabled));
        QVERIFY(m_set->flags(m_set->index(0, 0)) & Qt::ItemIsUserCheckable);
        QVERIFY(m_set->flags(m_set->index(0, 1)) & Qt::ItemIsEditable);
        m_set->setFilterEnabled(0, true);
        QVERIFY(!m_status->isEnabled());
        QCOMPARE(enabled.count() + changed.count(), 0);
        m_status->setValue(QStringLiteral("1"));
        QVERIFY(m_set->flags(m_set->index(0, 0)) & Qt::ItemIsEnabled);
    }

    void oneSignalPerChange()
    {
        QSignalSpy enabled(m_set.get(), &RowFiltersModel::filterEnabled);
        QSignalSpy changed(m_set.get(), &RowFiltersModel::filterChanged);
        QSignalSpy cells(m_set.get(), &QAbstractItemModel::dataChanged);
        // Value and enabled flag at once: only filterEnabled.
        m_set->setFilterValueAndEnabled(0, QStringLiteral("1"), true);
        QCOMPARE(enabled.count(), 1);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(enabled.first(), (QList<QVariant> { 0, true }));
        QCOMPARE(cells.count(), 1);
        // Only the value: filterChanged.
        m_set->setFilterValue(0, QStringLiteral("1|2"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(enabled.count(), 1);
        // Nothing new: nothing.
        m_set->setFilterValueAndEnabled(0, QStringLiteral("1|2"), true);
        QCOMPARE(changed.count() + enabled.count(), 2);
        // Through the table: the check box and the value cell.
        QVERIFY(!m_set->setData(m_set->index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(enabled.count(), 2);
        QVERIFY(!m_status->isEnabled());
        m_set->setData(m_set->index(0, 1), QStringLiteral("4"), Qt::EditRole);
        QCOMPARE(changed.count(), 2);
        QVERIFY(!m_set->setData(m_set->index(0, 1), QStringLiteral("4"), Qt::DisplayRole));
        m_set->notifyFilterChanged(0, true);
        QVERIFY(m_status->isEnabled());
        QCOMPARE(enabled.count(), 3);
    }

    void asynchronousChangesOfEnabledFiltersOnly()
    {
        QSignalSpy asinc(m_set.get(), &RowFiltersModel::filterAsincChanged);
        Q_EMIT m_side->asincChanged();
        QCOMPARE(asinc.count(), 0);
        m_side->setValue(QStringLiteral("B"));
        m_side->setEnabled(true);
        Q_EMIT m_side->asincChanged();
        QCOMPARE(asinc.count(), 1);
        QCOMPARE(asinc.first().first().toInt(), 1);
        m_set->removeFilter(m_side.get());
        Q_EMIT m_side->asincChanged();
        QCOMPARE(asinc.count(), 1);
        QCOMPARE(m_set->rowCount(), 1);
    }

    void twoFiltersOnOneColumn()
    {
        StatusFilter second(*orders());
        m_set->addFilter(&second);
        const int status = orders()->columnIndex(QStringLiteral("status"));
        QCOMPARE(m_set->filtersForColumn(status), (QList<Filter*> { m_status.get(), &second }));
        QVERIFY(!m_set->isFilterEnabledForColumn(status));
        second.setValue(QStringLiteral("2"));
        second.setEnabled(true);
        QVERIFY(m_set->isFilterEnabledForColumn(status));
        QVERIFY(!m_set->isFilterEnabledForColumn(orders()->columnIndex(QStringLiteral("buysell"))));
        m_set->removeFilter(&second);
    }

    void combinedPredicate()
    {
        std::unique_ptr<FilterFunc> none(m_set->createFilterFunc());
        QVERIFY(qobject_cast<NoFilterFunc*>(none.get()));
        m_set->setFilterValueAndEnabled(0, QStringLiteral("1"), true);
        std::unique_ptr<FilterFunc> one(m_set->createFilterFunc());
        QVERIFY(qobject_cast<EnumFilterFunc_Fast*>(one.get())); // its own predicate, not a list of one
        m_set->setFilterValueAndEnabled(1, QStringLiteral("S"), true);
        std::unique_ptr<FilterFunc> both(m_set->createFilterFunc());
        auto* list = qobject_cast<ListFilterFunc*>(both.get());
        QVERIFY(list);
        QCOMPARE(list->children().size(), 2);
        QCOMPARE(list->children().first()->parent(), list);
        for (const Record& r : *orders()->masterIndex()) {
            const bool shown = r.data(QStringLiteral("status")).toInteger() != 1
                && r.data(QStringLiteral("buysell")).toChar() != QLatin1Char('S');
            QCOMPARE(both->filter(r), shown);
        }
    }

    void persistedUnderTheColumnsName()
    {
        m_set->setFilterValueAndEnabled(0, QStringLiteral("1|2"), true);
        m_set->setFilterValueAndEnabled(1, QStringLiteral("S"), false);
        {
            AppSettings settings(QStringLiteral("OrdersView"));
            settings.beginGroup(QStringLiteral("window1"));
            m_set->write(settings);
            settings.endGroup();
            settings.sync();
        }
        QSettings file(m_dir.filePath(QStringLiteral("OrdersView.ini")), QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("window1/filters/status.value")).toString(), QStringLiteral("1|2"));
        QCOMPARE(file.value(QStringLiteral("window1/filters/status.enabled")).toBool(), true);
        QCOMPARE(file.value(QStringLiteral("window1/filters/buysell.value")).toString(), QStringLiteral("S"));

        // A fresh set reads them back without a filter signal.
        StatusFilter status(*orders());
        SideFilter side(*orders());
        RowFiltersModel restored(m_orders.get());
        restored.addFilter(&status);
        restored.addFilter(&side);
        QSignalSpy reset(&restored, &QAbstractItemModel::modelReset);
        QSignalSpy enabled(&restored, &RowFiltersModel::filterEnabled);
        AppSettings settings(QStringLiteral("OrdersView"));
        settings.beginGroup(QStringLiteral("window1"));
        restored.read(settings);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(enabled.count(), 0);
        QCOMPARE(status.value(), QStringLiteral("1|2"));
        QVERIFY(status.isEnabled());
        QCOMPARE(side.value(), QStringLiteral("S"));
        QVERIFY(!side.isEnabled());
    }

    void aFilterWithoutItsTableIsNamedByTheModelsTableNotByAModelColumn()
    {
        // The model shows fewer columns than the table has: model column numbers are not table column numbers.
        m_orders->removeUnusedColumns({ QStringLiteral("order_num"), QStringLiteral("stock_id") });
        const int quantity = orders()->columnIndex(QStringLiteral("quantity"));
        PlainFilter plain(quantity);
        QCOMPARE(m_set->settingsKey(&plain), QStringLiteral("quantity"));
    }

    void filtersMayGoBeforeTheSetAndItsModel()
    {
        // Given a set with an enabled filter and a predicate made from it.
        m_set->setFilterValueAndEnabled(0, QStringLiteral("2"), true);
        const std::unique_ptr<FilterFunc> predicate(m_set->createFilterFunc());
        QSignalSpy removed(m_set.get(), &QAbstractItemModel::rowsRemoved);
        // When the window closes its filters first.
        m_status.reset();
        // Then the set forgets it at once: nothing left to read or to make a predicate of.
        QCOMPARE(removed.count(), 1);
        QCOMPARE(m_set->rowCount(), 1);
        QCOMPARE(m_set->at(0), m_side.get());
        QCOMPARE(m_set->index(0, 0).data().toString(), QStringLiteral("Направление"));
        QVERIFY(!m_set->isFilterEnabledForColumn(orders()->columnIndex(QStringLiteral("status"))));
        QVERIFY(dynamic_cast<NoFilterFunc*>(std::unique_ptr<FilterFunc>(m_set->createFilterFunc()).get()));
        // The predicate made before stays whole: it holds nothing of the filter.
        Record filled(orders());
        filled.data(QStringLiteral("status")) = 2;
        QVERIFY(!predicate->filter(filled));
        MapSettings settings;
        m_set->write(settings);
        QVERIFY(!settings.contains(QStringLiteral("filters/status.value")));
    }

    void filtersOnComputedColumnsAreNamedByTheirDelegate()
    {
        NamedDelegate delegate;
        const int computed
            = m_orders->addColumnDelegate(&delegate, -1, 10, QStringLiteral("value"), QString(), QString());
        const int quantity = orders()->columnIndex(QStringLiteral("quantity"));
        ComputedFilter onComputed(*orders(), quantity, computed);
        ComputedFilter noColumn(*orders(), -1, -1);
        QCOMPARE(m_set->settingsKey(&onComputed), QStringLiteral("order_value"));
        QCOMPARE(m_set->settingsKey(m_status.get()), QStringLiteral("status"));
        QCOMPARE(m_set->settingsKey(&noColumn), QString());
        QCOMPARE(m_set->viewColumn(&onComputed), computed);
        m_set->addFilter(&onComputed);
        QCOMPARE(m_set->filtersForColumn(computed), QList<Filter*> { &onComputed });
        m_set->removeFilter(&onComputed);
    }
};

QTEST_MAIN(tst_RowFiltersModel)
#include "tst_rowfiltersmodel.moc"
