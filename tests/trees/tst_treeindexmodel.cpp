// The live tree against a tree rebuilt from the table after every change, and the signals of the cases a view
// depends on: groups coming and going, records moving between groups, groups re-sorting, large batches.

#include "livetable.h"
#include "predicatefilter.h"
#include "randomorders.h"
#include "recordingprogress.h"
#include "sidefilter.h"
#include "treetext.h"

#include "columns/itemroles.h"
#include "core/host/embedded/embeddedcore.h"
#include "filters/rowfiltersmodel.h"
#include "trees/groupmentcolumns.h"
#include "trees/groupmentrecord.h"
#include "trees/groupmenttreeitem.h"
#include "trees/private/recorditemmap.h"
#include "trees/recorditem.h"
#include "trees/treeindexfastmodel.h"
#include "trees/treeindexmodelwithtextfilter.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <thread>

namespace {

// Every signal of a model as one line: "+root 0..1", "-A 0..0", "move A 1 -> B 0", "changed A/7 5..5", "reset",
// "layout". Parents are named by their group key path.
class SignalLog : public QObject
{
public:
    explicit SignalLog(QAbstractItemModel* model)
    {
        auto name = [](const QModelIndex& index) {
            QStringList path;
            for (QModelIndex i = index; i.isValid(); i = i.parent())
                path.prepend(i.data(GroupKeyRole).toString());
            return path.isEmpty() ? QStringLiteral("root") : path.join(QLatin1Char('/'));
        };
        connect(model, &QAbstractItemModel::rowsInserted, this, [=](const QModelIndex& p, int a, int b) {
            lines << QStringLiteral("+%1 %2..%3").arg(name(p)).arg(a).arg(b);
        });
        connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this, [=](const QModelIndex& p, int a, int b) {
            lines << QStringLiteral("-%1 %2..%3").arg(name(p)).arg(a).arg(b);
        });
        connect(model, &QAbstractItemModel::rowsAboutToBeMoved, this,
            [=](const QModelIndex& from, int a, int, const QModelIndex& to, int at) {
                lines << QStringLiteral("move %1 %2 -> %3 %4").arg(name(from)).arg(a).arg(name(to)).arg(at);
            });
        connect(model, &QAbstractItemModel::dataChanged, this, [=](const QModelIndex& a, const QModelIndex& b) {
            lines << QStringLiteral("changed %1 %2..%3").arg(name(a)).arg(a.column()).arg(b.column());
        });
        connect(model, &QAbstractItemModel::modelReset, this, [this] { lines << QStringLiteral("reset"); });
        connect(model, &QAbstractItemModel::layoutChanged, this, [this] { lines << QStringLiteral("layout"); });
        if (auto* tree = qobject_cast<TreeIndexModel*>(model)) {
            connect(tree, &TreeIndexModel::itemsArrived, this, [=](const QModelIndexList& indexes) {
                QStringList names;
                for (const QModelIndex& index : indexes)
                    names << name(index);
                names.sort();
                lines << QStringLiteral("arrived ") + names.join(QLatin1Char(' '));
            });
        }
    }
    QString take()
    {
        const QString all = lines.join(QStringLiteral("; "));
        lines.clear();
        return all;
    }
    QStringList lines;
};

// Orders grouped by account, then instrument, one leaf per order (single inserts leave the instrument empty).
struct OrderGroupments
{
    explicit OrderGroupments(Table* table)
        : account(QStringLiteral("account"), table)
        , sec(QStringLiteral("sec_id"), table)
    { }
    QList<Groupment*> list() { return { &account, &sec, &order }; }
    GroupmentColumn account;
    GroupmentColumn sec;
    GroupmentRecord order;
};

// The model grouped by `groupments`, under the model tester.
void watch(TreeIndexModel& model, OrderGroupments& groupments)
{
    model.setGroupmentList(groupments.list());
    new QAbstractItemModelTester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal, &model);
}

} // namespace

class TestTreeIndexModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void followsTheTableLikeAFreshBuild_data();
    void followsTheTableLikeAFreshBuild();
    void groupsComeWithTheirFirstRecordAndGoWithTheirLast();
    void aRecordWithNoPlaceLeavesNoEmptyGroups();
    void aRecordMovesBetweenGroupsKeepingItsIndex();
    void aGroupShowingARecordResortsWhenItsValueMoves();
    void largeBatchesOfTheFastModelAreOneReset();
    void textFilterMatchesCellsAndGroupNames();
    void largeParentsKeepRowsAndOrder();
    void aLargeBuildEqualsOneRecordAtATime();
    void recordMapAgreesWithAHash();
};

void TestTreeIndexModel::followsTheTableLikeAFreshBuild_data()
{
    QTest::addColumn<quint32>("seed");
    const quint32 fresh = qEnvironmentVariableIsSet("BV_SEED") ? quint32(qEnvironmentVariableIntValue("BV_SEED"))
                                                               : QRandomGenerator::global()->generate();
    for (quint32 seed : { 7u, 1234u, fresh })
        QTest::addRow("seed %u", seed) << seed;
}

void TestTreeIndexModel::followsTheTableLikeAFreshBuild()
{
    // Given orders grouped by account and instrument, sells filtered out, in a plain tree and in a fast tree
    // whose batches above 6 changes are resets,
    QFETCH(quint32, seed);
    LiveTable live;
    OrderGroupments groupments(live.table);
    const int price = live.column("price");
    const int orderNum = live.column("order_num");
    SideFilter sides[2] = { SideFilter(*live.table), SideFilter(*live.table) };
    TreeIndexModel plain(live.table);
    TreeIndexFastModel fast(live.table);
    fast.setBatchThreshold(6);
    TreeIndexModel* models[] = { &plain, &fast };
    for (int m = 0; m < 2; ++m) {
        models[m]->setGroupmentList(groupments.list());
        new QAbstractItemModelTester(models[m], QAbstractItemModelTester::FailureReportingMode::Fatal, models[m]);
        models[m]->filtersModel()->addFilter(&sides[m]);
        models[m]->filtersModel()->setFilterValueAndEnabled(0, QStringLiteral("S"), true);
    }
    RandomOrders orders(live, seed,
        { QStringLiteral("price"), QStringLiteral("account"), QStringLiteral("sec_id"), QStringLiteral("buysell") });
    QRandomGenerator& rng = orders.rng;
    const QList<qint64>& keys = orders.keys;
    orders.fill(30);
    for (TreeIndexModel* model : models)
        model->rebuild();

    // The oracle: the shown orders by account, then instrument; groups ordered by name without regard to case
    // in the group order, orders in the sort column's order (ties in any order).
    auto check = [&](TreeIndexModel* model, const QString& step) -> QString {
        std::map<QString, std::map<QString, QSet<qint64>>> expected;
        for (const Record& r : *live.table->masterIndex()) {
            if (r.data(QStringLiteral("buysell")).toString() != QLatin1String("S"))
                expected[r.data(QStringLiteral("account")).toString()][r.data(QStringLiteral("sec_id")).toString()]
                    << r.data(orderNum).toInteger64();
        }
        const bool groupsDescending = model->groupSortOrder() == Qt::DescendingOrder;
        auto groupOrder = [&](QStringList names) {
            std::sort(names.begin(), names.end(), [&](const QString& a, const QString& b) {
                const int c = a.compare(b, Qt::CaseInsensitive);
                return groupsDescending ? c > 0 : c < 0;
            });
            return names;
        };
        const int sortColumn = model->sortColumn() == price ? price : orderNum;
        const bool descending = model->sortOrder() == Qt::DescendingOrder;
        QStringList accountNames;
        for (const auto& a : expected)
            accountNames << a.first;
        accountNames = groupOrder(accountNames);
        if (model->rowCount() != accountNames.size())
            return step + QStringLiteral(": %1 accounts, expected %2").arg(model->rowCount()).arg(accountNames.size());
        int total = 0;
        for (int a = 0; a < accountNames.size(); ++a) {
            const QModelIndex account = model->index(a, 0);
            if (account.data(GroupKeyRole).toString() != accountNames.at(a)
                || account.data().toString() != accountNames.at(a))
                return step + QStringLiteral(": account row %1 is %2").arg(a).arg(account.data().toString());
            const auto& secs = expected[accountNames.at(a)];
            QStringList secNames;
            for (const auto& s : secs)
                secNames << s.first;
            secNames = groupOrder(secNames);
            if (model->rowCount(account) != secNames.size())
                return step
                    + QStringLiteral(": account %1 has %2 instruments")
                          .arg(accountNames.at(a))
                          .arg(model->rowCount(account));
            for (int s = 0; s < secNames.size(); ++s) {
                const QModelIndex sec = model->index(s, 0, account);
                if (sec.data(GroupKeyRole).toString() != secNames.at(s) || !sec.data(NestedItemRole).toBool()
                    || (model->flags(sec) & Qt::ItemNeverHasChildren)
                    || (model->flags(account) & Qt::ItemNeverHasChildren))
                    return step + QStringLiteral(": instrument row %1 of %2").arg(s).arg(accountNames.at(a));
                QSet<qint64> seen;
                Record previous;
                for (int o = 0; o < model->rowCount(sec); ++o) {
                    const QModelIndex leaf = model->index(o, 0, sec);
                    const Record r = model->recordByIndex(leaf);
                    if (r.isNull() || leaf.data(ItemLevelRole).toInt() != 2
                        || leaf.data(Qt::EditRole).toLongLong() != r.data(orderNum).toInteger64())
                        return step + QStringLiteral(": a leaf without its record");
                    // A tree view skips its look for open rows on a row that says it never has children.
                    if (!(model->flags(leaf) & Qt::ItemNeverHasChildren))
                        return step + QStringLiteral(": a leaf that may have children");
                    seen << r.data(orderNum).toInteger64();
                    if (!previous.isNull()) {
                        const int c = previous.data(sortColumn).compare(r.data(sortColumn));
                        if (descending ? c < 0 : c > 0)
                            return step
                                + QStringLiteral(": orders out of order under %1/%2")
                                      .arg(accountNames.at(a), secNames.at(s));
                    }
                    previous = r;
                }
                if (seen != secs.at(secNames.at(s)))
                    return step + QStringLiteral(": wrong orders under %1/%2").arg(accountNames.at(a), secNames.at(s));
                total += seen.size();
            }
        }
        if (model->recordsCount() != total || model->recordsFromTree().size() != total)
            return step + QStringLiteral(": %1 records counted, %2 shown").arg(model->recordsCount()).arg(total);
        return QString();
    };
    for (TreeIndexModel* model : models)
        QCOMPARE(check(model, QStringLiteral("build")), QString());

    for (int round = 0; round < 300; ++round) {
        // persistent indexes on some orders and some groups of the plain model, taken before the change,
        QList<QPair<QPersistentModelIndex, Record>> onRecords;
        QList<QPair<QPersistentModelIndex, QStringList>> onGroups;
        for (int i = 0; i < 4 && !keys.isEmpty(); ++i) {
            const Record r = live.row(keys.at(int(rng.bounded(keys.size()))));
            if (plain.contains(r))
                onRecords << qMakePair(QPersistentModelIndex(plain.indexByRecord(r, int(rng.bounded(3)))), r);
        }
        for (int i = 0; i < 3 && plain.rowCount() > 0; ++i) {
            QModelIndex group = plain.index(int(rng.bounded(plain.rowCount())), 0);
            if (rng.bounded(2) && plain.rowCount(group) > 0)
                group = plain.index(int(rng.bounded(plain.rowCount(group))), 0, group);
            QStringList path;
            for (QModelIndex g = group; g.isValid(); g = g.parent())
                path.prepend(g.data(GroupKeyRole).toString());
            onGroups << qMakePair(QPersistentModelIndex(group), path);
        }
        // when a single change, a batch or a new sort arrives,
        const int kind = int(rng.bounded(10));
        QString step;
        if (kind < 9) {
            step = orders.change(kind, 40); // batches over 16 changes are one layout change from their start
        } else {
            const int column = rng.bounded(2) ? price : orderNum;
            const Qt::SortOrder order = rng.bounded(2) ? Qt::DescendingOrder : Qt::AscendingOrder;
            for (TreeIndexModel* model : models)
                model->sort(column, order);
            step = QStringLiteral("sort %1 %2").arg(column).arg(order);
        }
        step = QStringLiteral("round %1 (%2), seed %3").arg(round).arg(step).arg(seed);
        // then both trees equal the oracle,
        for (TreeIndexModel* model : models)
            QCOMPARE(check(model, step), QString());
        // and each persistent index follows its item, or is invalid exactly when the item went.
        for (const auto& kept : qAsConst(onRecords)) {
            const bool shown = plain.contains(kept.second);
            QVERIFY2(kept.first.isValid() == shown, qPrintable(step + QStringLiteral(": a record's index")));
            if (shown)
                QVERIFY2(plain.recordByIndex(kept.first) == kept.second, qPrintable(step));
        }
        for (const auto& kept : qAsConst(onGroups)) {
            QModelIndex group;
            for (const QString& key : kept.second) {
                const GroupmentTreeItem* child = plain.itemByIndex(group)->childByKey(key);
                group = child ? plain.indexByItem(child) : QModelIndex();
            }
            if (!group.isValid())
                QVERIFY2(!kept.first.isValid(), qPrintable(step + QStringLiteral(": an index on a group that went")));
            else if (kept.first.isValid())
                QVERIFY2(
                    kept.first == group, qPrintable(step + QStringLiteral(": an index on a group moved elsewhere")));
        }
    }
}

void TestTreeIndexModel::aRecordWithNoPlaceLeavesNoEmptyGroups()
{
    // Given orders by account and instrument, where instrument 2 gets no group,
    struct Refusing : GroupmentColumn
    {
        using GroupmentColumn::GroupmentColumn;
        GroupmentTreeItem* createGroup(GroupmentTreeItem* parent, const QString& key, const Record& r) const override
        {
            return key == QLatin1String("2") ? nullptr : GroupmentColumn::createGroup(parent, key, r);
        }
    };
    LiveTable live;
    GroupmentColumn account(QStringLiteral("account"), live.table);
    Refusing sec(QStringLiteral("sec_id"), live.table);
    GroupmentRecord order;
    TreeIndexModel model(live.table);
    model.setGroupmentList({ &account, &sec, &order });
    new QAbstractItemModelTester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal, &model);
    live.insert(1, QStringLiteral("10.00"), QStringLiteral("A"));
    live.insert(2, QStringLiteral("10.00"), QStringLiteral("A"));
    model.rebuild();

    // when an order moves to a new account and to instrument 2 at once, it leaves the tree, and the new
    // account's group made on the way goes with it;
    live.stageTick(1, "account", FieldInput(QStringLiteral("B")));
    live.stageTick(1, "sec_id", FieldInput(qint64(2)));
    live.commit();
    QCOMPARE(treeText(model), QStringLiteral("A((2))"));
    QCOMPARE(model.recordsCount(), 1);

    // when it moves back to an instrument with a group, it comes back.
    live.tick(1, "sec_id", FieldInput(qint64(0)));
    QCOMPARE(treeText(model), QStringLiteral("A((2)) B(0(1))"));
}

void TestTreeIndexModel::groupsComeWithTheirFirstRecordAndGoWithTheirLast()
{
    LiveTable live;
    OrderGroupments groupments(live.table);
    TreeIndexModel model(live.table);
    watch(model, groupments);
    model.rebuild();
    SignalLog log(&model);

    // A record of a new account comes with its account and instrument groups, each inserted before its children.
    live.insert(1, QStringLiteral("10.00"), QStringLiteral("B"));
    QCOMPARE(log.take(), QStringLiteral("+root 0..0; +B 0..0; +B/ 0..0"));
    // A second record of the account joins the groups: one row, no group signal.
    live.insert(2, QStringLiteral("11.00"), QStringLiteral("B"));
    QCOMPARE(log.take(), QStringLiteral("+B/ 1..1"));
    // A batch of new accounts: one layout change, then every row that came named once.
    live.stageInsert(3, QStringLiteral("1.00"), QStringLiteral("a"));
    live.stageInsert(4, QStringLiteral("1.00"), QStringLiteral("C"));
    live.stageInsert(5, QStringLiteral("1.00"), QStringLiteral("a"));
    live.commit();
    QCOMPARE(treeText(model), QStringLiteral("a((3 5)) B((1 2)) C((4))"));
    QCOMPARE(log.take(), QStringLiteral("layout; arrived C C/ C//4 a a/ a//3 a//5"));

    // The last record of a group takes the group and every group above left empty, in one signal.
    live.remove(4);
    QCOMPARE(log.take(), QStringLiteral("-root 2..2"));
    live.remove(1);
    QCOMPARE(log.take(), QStringLiteral("-B/ 0..0"));
    // Records leaving several groups in a batch: adjacent rows of a parent go together.
    live.stageRemove(3);
    live.stageRemove(5);
    live.stageRemove(2);
    live.commit();
    QCOMPARE(log.take(), QStringLiteral("-root 0..1"));
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.recordsCount(), 0);
}

void TestTreeIndexModel::aRecordMovesBetweenGroupsKeepingItsIndex()
{
    LiveTable live;
    OrderGroupments groupments(live.table);
    TreeIndexModel model(live.table);
    model.setGroupmentList(groupments.list());
    model.setSort(live.column("price"), Qt::AscendingOrder);
    new QAbstractItemModelTester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal, &model);
    live.insert(1, QStringLiteral("10.00"), QStringLiteral("A"));
    live.insert(2, QStringLiteral("20.00"), QStringLiteral("A"));
    live.insert(3, QStringLiteral("15.00"), QStringLiteral("B"));
    QTest::ignoreMessage(QtDebugMsg,
        QRegularExpression(QStringLiteral(
            "^Древовидная модель по таблице orders готова к отображению\\. Построение №\\d+: 3 строк \\d+ мсек$")));
    model.rebuild();
    const QPersistentModelIndex kept = model.indexByRecord(live.row(1), 5);
    SignalLog log(&model);

    // Given order 1 in account A, when its account becomes B, it moves into B's place by price with one move,
    // its cells are repainted, and the persistent index follows it.
    live.tick(1, "account", QStringLiteral("B"));
    QCOMPARE(treeText(model), QStringLiteral("A((2)) B((1 3))"));
    QCOMPARE(log.take(), QStringLiteral("move A/ 0 -> B/ 0; changed B//1 0..10"));
    QCOMPARE(kept.parent().parent().data().toString(), QStringLiteral("B"));
    QCOMPARE(model.recordByIndex(kept), live.row(1));
    QCOMPARE(kept.column(), 5);

    // When the last order of A moves to a new account, C is made first and A goes after the move.
    live.tick(2, "account", QStringLiteral("C"));
    QCOMPARE(treeText(model), QStringLiteral("B((1 3)) C((2))"));
    QCOMPARE(log.take(), QStringLiteral("+root 2..2; +C 0..0; move A/ 0 -> C/ 0; changed C//2 0..10; -root 0..0"));

    // A price change past a neighbour moves the order within its group; one that keeps the order only repaints.
    live.tick(1, "price", QStringLiteral("16.00"));
    QCOMPARE(treeText(model), QStringLiteral("B((3 1)) C((2))"));
    QCOMPARE(log.take(), QStringLiteral("move B/ 0 -> B/ 2; changed B//1 5..5"));
    live.tick(1, "price", QStringLiteral("17.00"));
    QCOMPARE(log.take(), QStringLiteral("changed B//1 5..5"));
    QCOMPARE(model.recordByIndex(kept), live.row(1));
}

void TestTreeIndexModel::aGroupShowingARecordResortsWhenItsValueMoves()
{
    // Given groups per account that show their first order and sort by price like the orders,
    LiveTable live;
    GroupmentRecordColumns byAccount({ live.column("account") });
    GroupmentRecord order;
    TreeIndexModel model(live.table);
    model.setGroupmentList({ &byAccount, &order });
    model.setSort(live.column("price"), Qt::AscendingOrder);
    new QAbstractItemModelTester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal, &model);
    live.insert(1, QStringLiteral("10.00"), QStringLiteral("A"));
    live.insert(2, QStringLiteral("30.00"), QStringLiteral("A"));
    live.insert(3, QStringLiteral("20.00"), QStringLiteral("B"));
    model.rebuild();
    QCOMPARE(treeText(model), QStringLiteral("1(1 2) 3(3)"));
    SignalLog log(&model);

    // when the price of A's shown order passes B's, group A moves below B;
    live.tick(1, "price", QStringLiteral("25.00"));
    QCOMPARE(treeText(model), QStringLiteral("3(3) 1(1 2)"));
    QVERIFY2(log.take().contains(QStringLiteral("move root 0 -> root 2")), qPrintable(log.take()));
    // when that order leaves, the group shows the next one.
    live.remove(1);
    QCOMPARE(treeText(model), QStringLiteral("3(3) 2(2)"));
}

void TestTreeIndexModel::largeBatchesOfTheFastModelAreOneReset()
{
    LiveTable live;
    OrderGroupments groupments(live.table);
    TreeIndexFastModel model(live.table);
    QCOMPARE(model.batchThreshold(), 500);
    watch(model, groupments);
    model.rebuild();
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy layouts(&model, &QAbstractItemModel::layoutChanged);
    QVERIFY(resets.isValid() && layouts.isValid());

    for (int key = 1; key <= 500; ++key)
        live.stageInsert(key, QStringLiteral("1.00"), QStringLiteral("A%1").arg(key % 7));
    live.commit();
    QCOMPARE(resets.count(), 0);
    QCOMPARE(layouts.count(), 1);
    layouts.clear();
    for (int key = 501; key <= 1001; ++key)
        live.stageInsert(key, QStringLiteral("1.00"), QStringLiteral("A%1").arg(key % 9));
    live.commit();
    QCOMPARE(resets.count(), 1);
    QCOMPARE(layouts.count(), 0);
    QCOMPARE(model.recordsCount(), 1001);
    QVERIFY(model.itemSignals());
}

void TestTreeIndexModel::textFilterMatchesCellsAndGroupNames()
{
    LiveTable live;
    OrderGroupments groupments(live.table);
    TreeIndexModelWithTextFilter model(live.table);
    watch(model, groupments);
    live.insert(1, QStringLiteral("10.00"), QStringLiteral("XABCX"));
    live.insert(2, QStringLiteral("123.45"), QStringLiteral("Q"));
    live.insert(3, QStringLiteral("7.00"), QStringLiteral("Q"));
    model.rebuild();
    QSignalSpy changed(&model, &TreeIndexModelWithTextFilter::filterTextChanged);

    model.setFilterText(QStringLiteral("abc"));
    QCOMPARE(treeText(model), QStringLiteral("XABCX((1))"));
    model.setFilterText(QStringLiteral("23.4"));
    QCOMPARE(treeText(model), QStringLiteral("Q((2))"));
    model.setFilterText(QStringLiteral("q"));
    QCOMPARE(treeText(model), QStringLiteral("Q((2 3))"));
    model.setFilterText(QStringLiteral("q"));
    QCOMPARE(changed.count(), 3);
    model.setFilterText(QString());
    QCOMPARE(model.recordsCount(), 3);
}

void TestTreeIndexModel::largeParentsKeepRowsAndOrder()
{
    // Thousands of children, inserted and taken out in runs at random places, against a plain vector.
    QRandomGenerator rng(11);
    GroupmentTreeItem parent(QStringLiteral("p"), nullptr);
    QVector<GroupmentTreeItem*> oracle;
    int made = 0;
    for (int round = 0; round < 3000; ++round) {
        if (oracle.size() < 200 || rng.bounded(3) != 0) {
            QVector<GroupmentTreeItem*> run;
            for (int n = 1 + int(rng.bounded(round % 10 == 0 ? 700 : 4)); n > 0; --n) {
                run << new GroupmentTreeItem(QString::number(made++), &parent);
                parent.enterKey(run.last());
            }
            const int at = int(rng.bounded(oracle.size() + 1));
            parent.insertChildren(at, run.constData(), run.size());
            for (int i = 0; i < run.size(); ++i)
                oracle.insert(at + i, run.at(i));
        } else {
            const int at = int(rng.bounded(oracle.size()));
            const int n = qMin(oracle.size() - at, 1 + int(rng.bounded(round % 7 == 0 ? 600 : 3)));
            const QVector<GroupmentTreeItem*> taken = oracle.mid(at, n);
            parent.takeChildren(at, n);
            oracle.remove(at, n);
            qDeleteAll(taken);
        }
        QCOMPARE(parent.childCount(), oracle.size());
        for (int probe = 0; probe < 5; ++probe) {
            const int row = int(rng.bounded(oracle.size()));
            QCOMPARE(parent.child(row), oracle.at(row));
            QCOMPARE(oracle.at(row)->row(), row);
        }
    }
    QCOMPARE(parent.childList(), oracle);
}

void TestTreeIndexModel::aLargeBuildEqualsOneRecordAtATime()
{
    // Given 12,000 orders on a few accounts and instruments with many equal prices, a build (its keys taken and
    // its siblings sorted on the worker threads) gives the tree that adding the orders one by one gives, ties in
    // the table's order. It tells the host how far it got as it goes: on this thread, in rising counts, while the
    // filter and the keys are at work (the first half of the records) and up to the records.
    EmbeddedCore core;
    RecordingProgress display;
    core.progressService().setDisplay(&display);
    LiveTable live;
    QRandomGenerator rng(3);
    for (int key = 1; key <= 12000; ++key)
        live.stageInsert(key, QString::number(rng.bounded(50)), QStringLiteral("A%1").arg(rng.bounded(5)));
    live.commit();
    for (int key = 1; key <= 12000; ++key)
        live.stageTick(key, "sec_id", qint64(rng.bounded(40)));
    live.commit();
    OrderGroupments groupments(live.table);
    TreeIndexModel built(live.table);
    TreeIndexModel added(live.table);
    for (TreeIndexModel* model : { &built, &added }) {
        model->setGroupmentList(groupments.list());
        model->setSort(live.column("price"), Qt::DescendingOrder);
    }
    // A filter that takes its time now and then, as one reading every cell of a row does.
    PredicateFilter slow([](const Record& r) {
        if (r.data(0).toInteger64() % 50 == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return true;
    });
    built.filtersModel()->addFilter(&slow);
    display.clear();
    built.rebuild();
    added.clear();
    for (const Record& r : *live.table->masterIndex())
        added.add(r);
    QCOMPARE(built.recordsCount(), 12000);
    QCOMPARE(treeText(built), treeText(added));

    const QString message
        = QStringLiteral("Построение №%1 индекса древовидной модели по таблице orders").arg(built.buildNumber());
    QString fault;
    const QVector<qint64> counts = display.counts(message, 12000, QThread::currentThread(), &fault);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    QVERIFY2(std::any_of(counts.begin(), counts.end(), [](qint64 c) { return c > 0 && c < 6000; }),
        qPrintable(display.lines.join(QLatin1Char('\n'))));
    built.filtersModel()->removeFilter(&slow);
}

void TestTreeIndexModel::recordMapAgreesWithAHash()
{
    // Random inserts and removals, through growth and long runs of neighbours, against QHash: records their leaf
    // shows, and records of leaves showing another one or none (a shared leaf, a plain group).
    LiveTable live;
    QVector<Record> records;
    for (int i = 0; i < 3000; ++i)
        records << Record(live.table);
    GroupmentTreeItem plain(QStringLiteral("plain"), nullptr);
    std::vector<std::unique_ptr<RecordItem>> leaves;
    QRandomGenerator rng(21);
    RecordItemMap map;
    QHash<Record, GroupmentTreeItem*> oracle;
    for (int step = 0; step < 40000; ++step) {
        const Record& r = records.at(int(rng.bounded(records.size())));
        if (rng.bounded(5) < 3 && !oracle.contains(r)) {
            GroupmentTreeItem* item = &plain;
            if (rng.bounded(4) != 0) {
                leaves.push_back(std::make_unique<RecordItem>(QString(), nullptr));
                leaves.back()->addRecord(rng.bounded(8) != 0 ? r : records.first());
                item = leaves.back().get();
            }
            map.insert(r, item);
            oracle.insert(r, item);
        } else {
            QCOMPARE(map.take(r), oracle.take(r));
        }
        const Record& probe = records.at(int(rng.bounded(records.size())));
        QCOMPARE(map.value(probe), oracle.value(probe));
    }
    QCOMPARE(map.size(), oracle.size());
    QList<Record> mapped = map.records();
    QList<Record> expected = oracle.keys();
    std::sort(mapped.begin(), mapped.end(), std::less<Record>());
    std::sort(expected.begin(), expected.end(), std::less<Record>());
    QVERIFY(mapped == expected);
}

QTEST_MAIN(TestTreeIndexModel)
#include "tst_treeindexmodel.moc"
