// The live grouped tree against what a Qt developer would otherwise build: a QStandardItemModel tree of the same
// groups and records, rebuilt from the table (a stock tree has no incremental grouping). A million orders grouped
// by board, underlying and instrument, and the instruments grouped by each named grouping.

#include "benchutil.h"
#include "randomrecords.h"

#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/db/table.h"
#include "marketfixture.h"
#include "ordergroupsmodel.h"
#include "trees/groupmentcolumns.h"
#include "trees/groupmentrecord.h"
#include "trees/groupmentsecurities.h"
#include "trees/securitiesgroupments.h"
#include "trees/treeindexmodel.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QStandardItemModel>
#include <QThread>

#include <functional>
#include <memory>

namespace {

// The stock tree: one item per group and per record (its number, the price as the sort value), built detached
// and handed to the model at once, then sorted.
void rebuildStock(QStandardItemModel& stock, Table* table, const QList<Groupment*>& levels, int price)
{
    stock.clear();
    QHash<QString, QStandardItem*> groups;
    QList<QStandardItem*> top;
    const int orderNum = 0;
    for (const Record& r : *table->masterIndex()) {
        QStandardItem* parent = nullptr;
        QString path;
        for (int level = 0; level + 1 < levels.size(); ++level) {
            path += levels.at(level)->groupKey(r) + QLatin1Char('\n');
            QStandardItem*& group = groups[path];
            if (!group) {
                group = new QStandardItem(levels.at(level)->groupName(r));
                group->setData(group->text(), Qt::UserRole);
                if (parent)
                    parent->appendRow(group);
                else
                    top << group;
            }
            parent = group;
        }
        auto* leaf = new QStandardItem(r.data(orderNum).toString());
        leaf->setData(r.data(price).toDouble(), Qt::UserRole);
        if (parent)
            parent->appendRow(leaf);
        else
            top << leaf;
    }
    for (QStandardItem* item : qAsConst(top))
        stock.appendRow(item);
    stock.setSortRole(Qt::UserRole);
    stock.sort(0);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("QGuiLog.debug=false"));
    Bench::header(
        QStringLiteral("bench_trees: 1000000 orders by board, underlying, instrument; batches of 10000; %1 cores")
            .arg(QThread::idealThreadCount()));
    const MarketFixture market(SampleMarketOptions::sized(5000, 1000000));
    Table* orders = market.table(QStringLiteral("orders"));
    Table* securities = market.table(QStringLiteral("securities"));
    const int price = orders->columnIndex(QStringLiteral("price"));
    const int quantity = orders->columnIndex(QStringLiteral("quantity"));
    const int secId = orders->columnIndex(QStringLiteral("sec_id"));

    GroupmentBoard board(orders);
    GroupmentUnderlying underlying(orders);
    GroupmentColumn instrument(QStringLiteral("sec_id"), orders);
    GroupmentRecord order;
    const QList<Groupment*> levels = { &board, &underlying, &instrument, &order };

    // Ours: a fresh model's build (median of three), and the memory the last one holds per record.
    std::vector<double> builds;
    std::unique_ptr<TreeIndexModel> fresh;
    double perRecord = 0;
    for (int run = 0; run < 3; ++run) {
        fresh.reset();
        const qint64 rssBefore = Bench::currentRss();
        fresh = std::make_unique<TreeIndexModel>(orders);
        fresh->setGroupmentList(levels);
        fresh->setSort(price, Qt::AscendingOrder);
        builds.push_back(Bench::timeMs([&] { fresh->rebuild(); }));
        // Later runs reuse the memory the first one freed: only the first is counted.
        if (run == 0)
            perRecord = double(Bench::currentRss() - rssBefore) / fresh->recordsCount();
    }
    TreeIndexModel& model = *fresh;
    const double ourBuild = Bench::median(builds);
    Bench::result(QStringLiteral("trees_records"), model.recordsCount(), QStringLiteral("records"));
    Bench::result(QStringLiteral("trees_build_ours"), ourBuild, QStringLiteral("ms"));
    Bench::result(QStringLiteral("trees_bytes_per_record"), perRecord, QStringLiteral("bytes"));

    // The stock tree.
    QStandardItemModel stock;
    const double stockBuild = Bench::medianMs(
        2, [] {}, [&] { rebuildStock(stock, orders, levels, price); });
    Bench::result(QStringLiteral("trees_build_stock"), stockBuild, QStringLiteral("ms"));
    Bench::ratio(QStringLiteral("trees_build_vs_stock"), stockBuild / ourBuild);
    stock.clear();

    // Batches: the median of three, each on fresh random orders, with item signals, timed inside the model.
    QRandomGenerator rng(5);
    auto batch = [&](const QString& name, const std::function<RecordsTrans*(int round)>& stage) {
        std::vector<double> times;
        for (int round = 0; round < 3; ++round) {
            std::unique_ptr<RecordsTrans> trans(stage(round));
            const qint64 before = model.nsecsElapsed();
            trans->commit();
            times.push_back(double(model.nsecsElapsed() - before) / 1e6);
        }
        const double ours = Bench::median(times);
        Bench::result(QStringLiteral("trees_%1_batch_ours").arg(name), ours, QStringLiteral("ms"));
        Bench::ratio(QStringLiteral("trees_%1_batch_vs_stock_rebuild").arg(name), stockBuild / ours);
    };
    // Group key changes: each order moves to another instrument of the market.
    const QList<Record> instruments = [&] {
        QList<Record> all;
        for (const Record& r : *securities->masterIndex())
            all << r;
        return all;
    }();
    batch(QStringLiteral("key_update"), [&](int round) {
        return stageOn(orders, randomRecords(orders, 10000, 10 + round), [&](RecordUpdater& u) {
            const Record& to = instruments.at(int(rng.bounded(instruments.size())));
            u.data(QStringLiteral("stock_id")) = to.data(QStringLiteral("stock_id")).toInteger();
            u.data(QStringLiteral("board_id")) = to.data(QStringLiteral("board_id")).toInteger();
            u.data(secId) = to.data(QStringLiteral("sec_id")).toInteger64();
        });
    });
    batch(QStringLiteral("nonkey_update"), [&](int round) {
        return stageOn(orders, randomRecords(orders, 10000, 20 + round),
            [&](RecordUpdater& u) { u.data(quantity) = u.record().data(quantity).toInteger64() + 1; });
    });
    const Record model0 = orders->masterIndex()->at(0);
    batch(QStringLiteral("insert"), [&](int round) {
        auto* trans = new RecordsTrans(orders);
        for (int i = 0; i < 10000; ++i) {
            Record r = model0.clone();
            r.data(0) = qint64(90000000 + round * 10000 + i);
            r.data(price) = decimal(qint64(100000 + rng.bounded(30000)), 0);
            const Record& to = instruments.at(int(rng.bounded(instruments.size())));
            r.data(secId) = to.data(QStringLiteral("sec_id")).toInteger64();
            RecordUpdater(r, *trans);
        }
        return trans;
    });
    batch(QStringLiteral("remove"), [&](int round) {
        return stageOn(orders, randomRecords(orders, 10000, 30 + round), [](RecordUpdater& u) { u.remove(); });
    });

    // The grouped model of the grouped windows: orders by account and instrument, each instrument's orders by
    // price (descending), then quantity. Its build, and batches that move elements (a sort column changes) or only
    // repaint them (a column neither grouped nor sorted on).
    fresh.reset();
    {
        OrderGroupsModel groups(orders);
        groups.define({ { QStringLiteral("account") }, { QStringLiteral("sec_id") } },
            { { QStringLiteral("price"), Qt::DescendingOrder }, { QStringLiteral("quantity"), Qt::AscendingOrder } });
        const auto groupLevels = groups.createGroupments();
        QList<Groupment*> list;
        for (const auto& level : groupLevels)
            list << level.get();
        groups.setGroupmentList(list);
        const double groupsBuild = Bench::medianMs(
            3, [] {}, [&] { groups.rebuild(); });
        Bench::result(QStringLiteral("trees_groups_build_ours"), groupsBuild, QStringLiteral("ms"));
        GroupmentColumn account(QStringLiteral("account"), orders);
        const QList<Groupment*> stockLevels = { &account, &instrument, &order };
        const double groupsStock = Bench::medianMs(
            2, [] {}, [&] { rebuildStock(stock, orders, stockLevels, price); });
        stock.clear();
        Bench::ratio(QStringLiteral("trees_groups_build_vs_stock_one_sort_key"), groupsStock / groupsBuild);
        const int balance = orders->columnIndex(QStringLiteral("balance"));
        auto groupsBatch = [&](const QString& name, int seed, const std::function<void(RecordUpdater&)>& change) {
            std::vector<double> times;
            for (int round = 0; round < 3; ++round) {
                std::unique_ptr<RecordsTrans> trans(
                    stageOn(orders, randomRecords(orders, 10000, seed + round), change));
                const qint64 before = groups.nsecsElapsed();
                trans->commit();
                times.push_back(double(groups.nsecsElapsed() - before) / 1e6);
            }
            Bench::result(
                QStringLiteral("trees_groups_%1_batch_ours").arg(name), Bench::median(times), QStringLiteral("ms"));
        };
        groupsBatch(QStringLiteral("sort_key_update"), 40,
            [&](RecordUpdater& u) { u.data(price) = decimal(qint64(100000 + rng.bounded(30000)), 0); });
        groupsBatch(QStringLiteral("nonkey_update"), 50,
            [&](RecordUpdater& u) { u.data(balance) = u.record().data(balance).toInteger64() + 1; });
        // A tree view keeps a persistent index on every open group: the same batches with all groups open.
        std::vector<QPersistentModelIndex> open;
        std::vector<QModelIndex> pending { QModelIndex() };
        while (!pending.empty()) {
            const QModelIndex parent = pending.back();
            pending.pop_back();
            for (int row = 0; row < groups.rowCount(parent); ++row) {
                const QModelIndex child = groups.index(row, 0, parent);
                if (!groups.isElementLevel(child)) {
                    open.emplace_back(child);
                    pending.push_back(child);
                }
            }
        }
        Bench::result(QStringLiteral("trees_groups_open_groups"), double(open.size()), QStringLiteral("groups"));
        groupsBatch(QStringLiteral("sort_key_update_open_groups"), 60,
            [&](RecordUpdater& u) { u.data(price) = decimal(qint64(100000 + rng.bounded(30000)), 0); });
    }

    // The instruments by each named grouping: build times.
    SecuritiesGroupments groupings(securities);
    int n = 0;
    for (const GroupmentsList& list : groupings.groupmentList()) {
        TreeIndexModel tree(securities);
        tree.setGroupmentList(list.groupments);
        const double ours = Bench::medianMs(
            3, [] {}, [&] { tree.rebuild(); });
        const double theirs = Bench::medianMs(
            3, [] {},
            [&] { rebuildStock(stock, securities, list.groupments, securities->columnIndex(QStringLiteral("last"))); });
        Bench::result(QStringLiteral("trees_securities_grouping%1_build_ours").arg(++n), ours, QStringLiteral("ms"));
        Bench::ratio(QStringLiteral("trees_securities_grouping%1_build_vs_stock").arg(n), theirs / ours);
    }
    return 0;
}
