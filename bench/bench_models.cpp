// The live table model against what a Qt developer would otherwise build: a plain table model of the same
// records under QSortFilterProxyModel with dynamic sorting and filtering, the same predicate and comparison.
// A million orders sorted by price, a filter showing the buy side (about half).

#include "benchutil.h"
#include "randomrecords.h"

#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/db/table.h"
#include "core/host/filters/filterfunc.h"
#include "filters/enumfilter.h"
#include "filters/rowfiltersmodel.h"
#include "marketfixture.h"
#include "models/tableindexmodel.h"
#include "sidefilter.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QRandomGenerator>
#include <QSortFilterProxyModel>

#include <memory>

namespace {

// The plain model: the table's records as rows, values as QVariants.
class PlainModel : public QAbstractTableModel
{
public:
    explicit PlainModel(Table* table)
        : m_table(table)
    {
        for (const Record& r : *table->masterIndex())
            rows.push_back(r);
    }
    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(rows.size());
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : m_table->columnCount();
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || role != Qt::DisplayRole)
            return QVariant();
        return rows[std::size_t(index.row())].data(index.column()).toVariant();
    }
    void appendRows(const QList<Record>& records)
    {
        beginInsertRows(QModelIndex(), int(rows.size()), int(rows.size()) + records.size() - 1);
        rows.insert(rows.end(), records.begin(), records.end());
        endInsertRows();
    }
    void removeRecord(int row)
    {
        beginRemoveRows(QModelIndex(), row, row);
        rows.erase(rows.begin() + row);
        endRemoveRows();
    }
    void changed(int row) { Q_EMIT dataChanged(index(row, 0), index(row, m_table->columnCount() - 1)); }

    std::vector<Record> rows;

private:
    Table* m_table;
};

// The proxy with the same predicate and the same price comparison as the live model.
class Proxy : public QSortFilterProxyModel
{
public:
    Proxy(const PlainModel* plain, const FilterFunc* predicate, int priceColumn)
        : m_plain(plain)
        , m_predicate(predicate)
        , m_price(priceColumn)
    {
        setDynamicSortFilter(true);
    }
    bool filterAcceptsRow(int row, const QModelIndex&) const override
    {
        return m_predicate->filter(m_plain->rows[std::size_t(row)]);
    }
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override
    {
        return m_plain->rows[std::size_t(left.row())].data(m_price).compare(
                   m_plain->rows[std::size_t(right.row())].data(m_price))
            < 0;
    }

private:
    const PlainModel* m_plain;
    const FilterFunc* m_predicate;
    int m_price;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Bench::header(QStringLiteral("bench_models: 1000000 orders sorted by price, buy side shown; batches of 10000"));
    const MarketFixture market(SampleMarketOptions::sized(5000, 1000000));
    Table* orders = market.table(QStringLiteral("orders"));
    const int price = orders->columnIndex(QStringLiteral("price"));
    const int quantity = orders->columnIndex(QStringLiteral("quantity"));

    // Ours: build and sort.
    const qint64 rssBefore = Bench::currentRss();
    TableIndexModel model(orders);
    SideFilter side(*orders);
    side.setValue(QStringLiteral("S"));
    side.setEnabled(true);
    model.filtersModel()->addFilter(&side);
    model.setSort(price, Qt::AscendingOrder);
    const double ourBuild = Bench::timeMs([&] { model.rebuild(); });
    const double perRow = double(Bench::currentRss() - rssBefore) / model.rowCount();
    Bench::result(QStringLiteral("models_shown_rows"), model.rowCount(), QStringLiteral("rows"));
    Bench::result(QStringLiteral("models_build_sort_ours"), ourBuild, QStringLiteral("ms"));
    Bench::result(QStringLiteral("models_overhead_per_shown_row"), perRow, QStringLiteral("bytes"));

    // The alternative: build and sort.
    PlainModel plain(orders);
    std::unique_ptr<FilterFunc> predicate(side.createFilterFunc(nullptr));
    Proxy proxy(&plain, predicate.get(), price);
    const double proxyBuild = Bench::timeMs([&] {
        proxy.setSourceModel(&plain);
        proxy.sort(price);
    });
    if (proxy.rowCount() != model.rowCount())
        qFatal("the proxy shows %d rows, the model %d", proxy.rowCount(), model.rowCount());
    Bench::result(QStringLiteral("models_build_sort_proxy"), proxyBuild, QStringLiteral("ms"));
    Bench::ratio(QStringLiteral("build_sort_vs_proxy"), proxyBuild / ourBuild);

    QRandomGenerator rng(9);
    // Ours runs three batches of each kind (fresh random orders each time) and reports medians: the time the whole
    // commit takes (the table's own bookkeeping included) and the time the model spends in it. The ratio is
    // taken on the model's time, the part that the proxy replaces.
    struct Timing
    {
        double commit;
        double model;
    };
    auto runOurs = [&](const std::function<RecordsTrans*(int round)>& stage) {
        std::vector<double> commits;
        std::vector<double> models;
        for (int round = 0; round < 3; ++round) {
            std::unique_ptr<RecordsTrans> trans(stage(round));
            const qint64 before = model.nsecsElapsed();
            commits.push_back(Bench::timeMs([&] { trans->commit(); }));
            models.push_back(double(model.nsecsElapsed() - before) / 1e6);
        }
        return Timing { Bench::median(commits), Bench::median(models) };
    };
    auto report = [](const QString& name, const Timing& ours) {
        Bench::result(QStringLiteral("models_%1_ours_commit").arg(name), ours.commit, QStringLiteral("ms"));
        Bench::result(QStringLiteral("models_%1_ours").arg(name), ours.model, QStringLiteral("ms"));
    };
    auto rowsOf = [&](const QList<Record>& picked) {
        QHash<const void*, int> where;
        for (int i = 0; i < int(plain.rows.size()); ++i)
            where.insert(plain.rows[std::size_t(i)].handle(), i);
        QList<int> rows;
        for (const Record& r : picked)
            rows << where.value(r.handle());
        return rows;
    };

    // 10,000 sort-key changes.
    {
        QList<Record> first;
        const Timing ours = runOurs([&](int round) {
            const QList<Record> picked = randomRecords(orders, 10000, 10 + round);
            if (round == 0)
                first = picked;
            return stageOn(orders, picked, [&](RecordUpdater& u) {
                u.data(price) = u.record().data(price).toDecimal() + decimal(qint64(rng.bounded(200)) - 100, 0);
            });
        });
        // The proxy hears of the same records' changes.
        const QList<int> rows = rowsOf(first);
        const double perRowPath = Bench::timeMs([&] {
            for (int row : rows)
                plain.changed(row);
        });
        // invalidate() only drops the mapping; the first read after it re-filters and re-sorts.
        const double bestPath = Bench::timeMs([&] {
            proxy.invalidate();
            proxy.rowCount();
        });
        report(QStringLiteral("key_update_batch"), ours);
        Bench::result(QStringLiteral("models_key_update_batch_proxy_per_row"), perRowPath, QStringLiteral("ms"));
        Bench::result(QStringLiteral("models_key_update_batch_proxy_invalidate"), bestPath, QStringLiteral("ms"));
        Bench::ratio(QStringLiteral("key_updates_vs_proxy_per_row"), perRowPath / ours.model);
        Bench::ratio(QStringLiteral("key_updates_vs_proxy_invalidate"), bestPath / ours.model);
    }

    // 10,000 changes of a field that is neither sort key nor filtered.
    {
        QList<Record> first;
        const Timing ours = runOurs([&](int round) {
            const QList<Record> picked = randomRecords(orders, 10000, 20 + round);
            if (round == 0)
                first = picked;
            return stageOn(orders, picked,
                [&](RecordUpdater& u) { u.data(quantity) = u.record().data(quantity).toInteger64() + 1; });
        });
        const QList<int> rows = rowsOf(first);
        const double proxyTime = Bench::timeMs([&] {
            for (int row : rows)
                plain.changed(row);
        });
        report(QStringLiteral("nonkey_update_batch"), ours);
        Bench::result(QStringLiteral("models_nonkey_update_batch_proxy"), proxyTime, QStringLiteral("ms"));
        Bench::ratio(QStringLiteral("nonkey_updates_vs_proxy"), proxyTime / ours.model);
    }

    // 10,000 new orders.
    {
        const Record model0 = orders->masterIndex()->at(0);
        QList<Record> fresh;
        auto freshOrders = [&](int round) {
            auto* trans = new RecordsTrans(orders);
            for (int i = 0; i < 10000; ++i) {
                Record r = model0.clone();
                r.data(0) = qint64(90000000 + round * 10000 + i);
                r.data(price) = decimal(qint64(100000 + rng.bounded(30000)), 0);
                r.data(QStringLiteral("buysell")) = i % 2 ? 'B' : 'S';
                RecordUpdater(r, *trans);
                if (round == 0)
                    fresh << r;
            }
            return trans;
        };
        const Timing ours = runOurs(freshOrders);
        const double proxyTime = Bench::timeMs([&] { plain.appendRows(fresh); });
        report(QStringLiteral("insert_batch"), ours);
        Bench::result(QStringLiteral("models_insert_batch_proxy"), proxyTime, QStringLiteral("ms"));
        Bench::ratio(QStringLiteral("inserts_vs_proxy"), proxyTime / ours.model);
    }

    // 10,000 removals.
    {
        const Timing ours = runOurs([&](int round) {
            return stageOn(orders, randomRecords(orders, 10000, 30 + round), [](RecordUpdater& u) { u.remove(); });
        });
        // The proxy removes 10,000 random rows of its source (the plain model does not follow the table).
        QSet<int> distinct;
        QRandomGenerator pick(4);
        while (distinct.size() < 10000)
            distinct.insert(int(pick.bounded(int(plain.rows.size()))));
        QList<int> rows = distinct.values();
        std::sort(rows.begin(), rows.end(), std::greater<int>());
        const double proxyTime = Bench::timeMs([&] {
            for (int row : rows)
                plain.removeRecord(row);
        });
        report(QStringLiteral("remove_batch"), ours);
        Bench::result(QStringLiteral("models_remove_batch_proxy"), proxyTime, QStringLiteral("ms"));
        Bench::ratio(QStringLiteral("removals_vs_proxy"), proxyTime / ours.model);
    }
    model.filtersModel()->removeFilter(&side);
    return 0;
}
