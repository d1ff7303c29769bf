// The grouped model against an oracle rebuilt from the table after every change: groups from the raw fields,
// elements by a plain stable sort of the records over the same sort columns; and what a view relies on: rows
// found again by their text paths, selections kept through a change of order, group rows following their first
// element, a view told every change by the signals alone, sort orders kept across a restart.

#include "livetable.h"
#include "ordergroupsmodel.h"
#include "randomorders.h"
#include "signalmirror.h"
#include "treetext.h"

#include "columns/itemroles.h"
#include "core/db/mapsettings.h"
#include "trees/treegroupsmodel.h"

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <map>

namespace {

// The same tree from the table alone: groups keyed by the raw fields' texts, ordered by name without regard to
// case; elements by a stable sort, over the records in key order, on the sort fields.
QString oracleText(Table* table, const QList<QStringList>& groups, const QList<QPair<QString, Qt::SortOrder>>& sorts)
{
    QList<Record> records;
    for (const Record& r : *table->masterIndex())
        records << r;
    std::sort(records.begin(), records.end(), [](const Record& a, const Record& b) {
        return a.data(QStringLiteral("order_num")).toInteger64() < b.data(QStringLiteral("order_num")).toInteger64();
    });
    std::stable_sort(records.begin(), records.end(), [&](const Record& a, const Record& b) {
        for (const auto& sort : sorts) {
            const int c = a.data(sort.first).compare(b.data(sort.first));
            if (c != 0)
                return sort.second == Qt::AscendingOrder ? c < 0 : c > 0;
        }
        return false;
    });
    struct Node
    {
        std::map<QString, Node> children;
        QStringList elements;
    };
    Node root;
    for (const Record& r : qAsConst(records)) {
        Node* node = &root;
        for (const QStringList& level : groups) {
            QStringList texts;
            for (const QString& field : level)
                texts << r.data(field).toString();
            node = &node->children[texts.join(QLatin1Char(','))];
        }
        node->elements << r.toString();
    }
    std::function<QString(const Node&)> print = [&](const Node& node) {
        if (node.children.empty())
            return node.elements.join(QLatin1Char(' '));
        QStringList keys;
        for (const auto& child : node.children)
            keys << child.first;
        std::stable_sort(keys.begin(), keys.end(),
            [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        QStringList parts;
        for (const QString& key : qAsConst(keys))
            parts << QStringLiteral("%1(%2)").arg(key, print(node.children.at(key)));
        return parts.join(QLatin1Char(' '));
    };
    return print(root);
}

} // namespace

class TestTreeGroupsModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void followsTheTableLikeAStableSort_data();
    void followsTheTableLikeAStableSort();
    void groupRowsShowTheirFirstElement();
    void aBatchMovesItsRowsInOneLayoutChange();
    void rowsAreFoundAgainByTheirPaths();
    void aNewSortColumnReordersInOneLayoutChange();
    void aNewOrderKeepsTheSelection();
    void sortOrdersSurviveARestart();
};

void TestTreeGroupsModel::followsTheTableLikeAStableSort_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("levels");
    QTest::addColumn<int>("sorts");
    const quint32 fresh = qEnvironmentVariableIsSet("BV_SEED") ? quint32(qEnvironmentVariableIntValue("BV_SEED"))
                                                               : QRandomGenerator::global()->generate();
    for (quint32 seed : { 11u, 2024u, fresh }) {
        QTest::addRow("two levels, two sort columns, seed %u", seed) << seed << 2 << 2;
        QTest::addRow("three levels, three sort columns, seed %u", seed) << seed << 3 << 3;
    }
}

void TestTreeGroupsModel::followsTheTableLikeAStableSort()
{
    // Given orders grouped by account and side (and instrument), their elements sorted by two or three columns
    // in random orders,
    QFETCH(quint32, seed);
    QFETCH(int, levels);
    QFETCH(int, sorts);
    LiveTable live;
    QStringList fields = { QStringLiteral("price"), QStringLiteral("quantity"), QStringLiteral("status"),
        QStringLiteral("account"), QStringLiteral("buysell") };
    if (levels == 3)
        fields << QStringLiteral("sec_id");
    RandomOrders orders(live, seed, fields);
    QRandomGenerator& rng = orders.rng;
    orders.fill(40);
    for (qint64 key : qAsConst(orders.keys))
        live.tick(key, "quantity", FieldInput(qint64(rng.bounded(4))));
    QList<QStringList> groups = { { QStringLiteral("account") }, { QStringLiteral("buysell") } };
    if (levels == 3)
        groups << QStringList { QStringLiteral("sec_id") };
    QList<QPair<QString, Qt::SortOrder>> order;
    const QStringList sortFields = { QStringLiteral("price"), QStringLiteral("quantity"), QStringLiteral("status") };
    for (int i = 0; i < sorts; ++i)
        order << qMakePair(sortFields.at(i), rng.bounded(2) ? Qt::DescendingOrder : Qt::AscendingOrder);
    OrderGroupsModel model(live.table);
    model.arrange(groups, order);
    QCOMPARE(treeText(model, GroupKeyRole), oracleText(live.table, groups, order));
    const SignalMirror view(&model);

    // when single changes, batches and new orders of the sort columns arrive,
    for (int round = 0; round < 250; ++round) {
        const int kind = int(rng.bounded(10));
        QString step;
        if (kind < 9) {
            step = orders.change(kind, 40); // batches over 16 changes are one layout change from their start
        } else {
            const int i = int(rng.bounded(sorts));
            order[i].second = order.at(i).second == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
            model.sort(model.columnIndex(order.at(i).first), order.at(i).second);
            step = QStringLiteral("sort %1").arg(order.at(i).first);
        }
        // then the tree is the oracle's, and a view that knows only the signals shows it.
        const QString shown = treeText(model, GroupKeyRole);
        const QString expected = oracleText(live.table, groups, order);
        QVERIFY2(shown == expected,
            qPrintable(
                QStringLiteral("round %1 (%2), seed %3:\n%4\n%5").arg(round).arg(step).arg(seed).arg(shown, expected)));
        const QStringList stale = view.stale();
        QVERIFY2(stale.isEmpty(),
            qPrintable(
                QStringLiteral("round %1 (%2), seed %3: %4").arg(round).arg(step).arg(seed).arg(stale.join("; "))));
    }
}

void TestTreeGroupsModel::groupRowsShowTheirFirstElement()
{
    // Given orders of one account grouped by account, sorted by price,
    LiveTable live;
    live.insert(1, QStringLiteral("105.00"));
    live.insert(2, QStringLiteral("101.00"));
    OrderGroupsModel model(live.table);
    model.arrange({ { QStringLiteral("account") } }, { { QStringLiteral("price"), Qt::AscendingOrder } });
    const QModelIndex group = model.index(0, model.columnIndex(QStringLiteral("order_num")));
    QCOMPARE(group.data(Qt::EditRole).toLongLong(), 2);
    QCOMPARE(model.elementIndex(group), model.index(0, group.column(), group.siblingAtColumn(0)));

    // when another order becomes the first, the group row shows it and says so;
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(changed.isValid());
    const auto groupRepainted = [&] {
        return std::any_of(changed.cbegin(), changed.cend(),
            [&](const QList<QVariant>& args) { return args.at(0).toModelIndex() == group.siblingAtColumn(0); });
    };
    live.tick(1, "price", FieldInput(QStringLiteral("99.00")));
    QCOMPARE(group.data(Qt::EditRole).toLongLong(), 1);
    QVERIFY(groupRepainted());
    // when the first order's sort value changes and it stays first, the group row says so too.
    changed.clear();
    live.tick(1, "price", FieldInput(QStringLiteral("98.00")));
    QCOMPARE(group.siblingAtColumn(model.columnIndex(QStringLiteral("price"))).data(Qt::EditRole).toString(),
        QStringLiteral("98.00"));
    QVERIFY(groupRepainted());
    // A change of no sort or group column repaints the first order and its group where they stand.
    changed.clear();
    live.tick(1, "status", FieldInput(qint64(5)));
    QCOMPARE(group.siblingAtColumn(model.columnIndex(QStringLiteral("status"))).data().toInt(), 5);
    QCOMPARE(changed.size(), 2);
    QCOMPARE(changed.last().at(0).toModelIndex(), group.siblingAtColumn(0));
    // A group row is drawn larger than its elements.
    QVERIFY(group.data(Qt::FontRole).value<QFont>().pointSize() > QApplication::font().pointSize());
    QVERIFY(!(model.flags(model.index(0, 0, group.siblingAtColumn(0))) & Qt::ItemIsSelectable));
}

void TestTreeGroupsModel::aBatchMovesItsRowsInOneLayoutChange()
{
    // Given 30 orders in three accounts sorted by price, an index kept on each, and a view that knows the tree
    // from the signals alone,
    LiveTable live;
    const QStringList accounts = { QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C") };
    for (qint64 key = 1; key <= 30; ++key)
        live.insert(key, QStringLiteral("%1.00").arg(100 + key), accounts.at(int(key % 3)));
    const QList<QStringList> groups = { { QStringLiteral("account") } };
    const QList<QPair<QString, Qt::SortOrder>> order = { { QStringLiteral("price"), Qt::AscendingOrder } };
    OrderGroupsModel model(live.table);
    model.arrange(groups, order);
    QHash<qint64, QPersistentModelIndex> kept;
    for (qint64 key = 1; key <= 30; ++key)
        kept.insert(key, model.indexByRecord(live.row(key), 2));
    const SignalMirror view(&model);
    QStringList seen;
    connect(&model, &QAbstractItemModel::layoutAboutToBeChanged, [&] { seen << QStringLiteral("aboutToLayout"); });
    connect(&model, &QAbstractItemModel::layoutChanged, [&] { seen << QStringLiteral("layout"); });
    connect(&model, &QAbstractItemModel::rowsMoved, [&] { seen << QStringLiteral("moved"); });
    connect(&model, &QAbstractItemModel::rowsInserted, [&] { seen << QStringLiteral("inserted"); });
    connect(&model, &QAbstractItemModel::rowsRemoved, [&] { seen << QStringLiteral("removed"); });

    // when one batch reverses their prices (every order moves, every account gets another first order),
    for (qint64 key = 1; key <= 30; ++key)
        live.stageTick(key, "price", FieldInput(QStringLiteral("%1.00").arg(200 - key)));
    live.commit();

    // then the rows move in one layout change, each kept index still names its order, and the view shows the new
    // prices, the groups' first orders included.
    QCOMPARE(seen.join(QLatin1Char(' ')), QStringLiteral("aboutToLayout layout"));
    QCOMPARE(treeText(model, GroupKeyRole), oracleText(live.table, groups, order));
    for (qint64 key = 1; key <= 30; ++key) {
        QCOMPARE(model.recordByIndex(kept.value(key)), live.row(key));
        QCOMPARE(kept.value(key).column(), 2);
    }
    QCOMPARE(view.stale(), QStringList());
}

void TestTreeGroupsModel::rowsAreFoundAgainByTheirPaths()
{
    // Given a level keyed by two columns at once, whose texts hold what a stored path is written with,
    LiveTable live;
    live.insert(7, QStringLiteral("100.00"), QStringLiteral("A,\\"));
    live.insert(8, QStringLiteral("100.00"), QStringLiteral("[\"B\"]"));
    live.insert(9, QStringLiteral("100.00"), QStringLiteral("C"));
    live.tick(7, "buysell", FieldInput(QStringLiteral("B")));
    live.tick(8, "buysell", FieldInput(QStringLiteral("S")));
    live.tick(9, "buysell", FieldInput(QStringLiteral("B")));
    OrderGroupsModel model(live.table);
    model.arrange({ { QStringLiteral("account"), QStringLiteral("buysell") } },
        { { QStringLiteral("price"), Qt::AscendingOrder } });
    // every row's path, and its stored form, lead back to the row;
    for (QModelIndex index = model.treeWalk(QModelIndex()); index.isValid(); index = model.treeWalk(index)) {
        QCOMPARE(model.pathIndex(model.indexPath(index)), index);
        QCOMPARE(model.storedIndex(model.storedPath(index)), index);
    }
    const QModelIndex seven = model.indexByRecord(live.row(7));
    QCOMPARE(model.indexPath(seven),
        (TreeGroupsModel::Path { { QStringLiteral("A,\\"), QStringLiteral("B") }, { QStringLiteral("7") } }));
    // another row's or a damaged path leads nowhere;
    QVERIFY(!model.pathIndex({ { QStringLiteral("A,\\"), QStringLiteral("S") }, { QStringLiteral("7") } }).isValid());
    QVERIFY(!model.storedIndex(QStringLiteral("[[\"C\"]]")).isValid());
    QVERIFY(!model.storedIndex(QStringLiteral("[[\"C\",\"B\"],[9]]")).isValid());
    QVERIFY(!model.storedIndex(QString()).isValid());
    // a text path stored before paths still finds a row whose texts hold no ",".
    QCOMPARE(model.storedIndex(QStringLiteral("C,B,9")), model.indexByRecord(live.row(9)));
    QVERIFY(!model.storedIndex(QStringLiteral("C")).isValid());
}

void TestTreeGroupsModel::aNewSortColumnReordersInOneLayoutChange()
{
    // Given orders of one price sorted by price alone, under the model tester, one of them held by an index,
    LiveTable live;
    for (qint64 key = 1; key <= 4; ++key) {
        live.insert(key, QStringLiteral("100.00"));
        live.tick(key, "quantity", FieldInput(10 - key));
    }
    OrderGroupsModel model(live.table);
    model.arrange({ { QStringLiteral("account") } }, { { QStringLiteral("price"), Qt::AscendingOrder } });
    QCOMPARE(treeText(model, GroupKeyRole), QStringLiteral("A(1 2 3 4)"));
    const QPersistentModelIndex kept = model.index(0, 2, model.index(0, 0));
    QStringList seen;
    connect(&model, &QAbstractItemModel::layoutAboutToBeChanged, [&] { seen << QStringLiteral("aboutToLayout"); });
    connect(&model, &QAbstractItemModel::layoutChanged, [&] { seen << QStringLiteral("layout"); });
    connect(&model, &QAbstractItemModel::modelAboutToBeReset, [&] { seen << QStringLiteral("aboutToReset"); });
    connect(&model, &QAbstractItemModel::modelReset, [&] { seen << QStringLiteral("reset"); });
    connect(&model, &QAbstractItemModel::rowsMoved, [&] { seen << QStringLiteral("moved"); });

    // when the quantity joins the sort columns,
    model.addSortColumn({ model.columnIndex(QStringLiteral("quantity")), Qt::AscendingOrder });

    // then the ties reorder in one layout change, and the index follows its order.
    QCOMPARE(seen.join(QLatin1Char(' ')), QStringLiteral("aboutToLayout layout"));
    QCOMPARE(treeText(model, GroupKeyRole), QStringLiteral("A(4 3 2 1)"));
    QCOMPARE(kept.row(), 3);
    QCOMPARE(kept.column(), 2);
    QCOMPARE(model.recordByIndex(kept), live.row(1));
}

void TestTreeGroupsModel::aNewOrderKeepsTheSelection()
{
    // Given a selected order among others of equal price,
    LiveTable live;
    for (qint64 key = 1; key <= 4; ++key)
        live.insert(key, key % 2 ? QStringLiteral("100.00") : QStringLiteral("101.00"));
    for (qint64 key = 1; key <= 4; ++key)
        live.tick(key, "quantity", FieldInput(key));
    OrderGroupsModel model(live.table);
    model.arrange({ { QStringLiteral("account") } },
        { { QStringLiteral("price"), Qt::AscendingOrder }, { QStringLiteral("quantity"), Qt::AscendingOrder } });
    const QModelIndex group = model.index(0, 0);
    QCOMPARE(treeText(model, GroupKeyRole), QStringLiteral("A(1 3 2 4)"));
    QItemSelectionModel selection(&model);
    const QModelIndex three = model.index(1, 1, group);
    selection.select(three, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QSignalSpy layout(&model, &QAbstractItemModel::layoutChanged);
    QVERIFY(layout.isValid());

    // when the second sort column turns round (ties on the first reorder) and the first column is asked to
    // sort (it is the tree's),
    model.sort(model.columnIndex(QStringLiteral("quantity")), Qt::DescendingOrder);
    model.sort(0, Qt::DescendingOrder);

    // then one layout change reordered the ties, and the same order is still selected.
    QCOMPARE(layout.count(), 1);
    QCOMPARE(treeText(model, GroupKeyRole), QStringLiteral("A(3 1 4 2)"));
    QCOMPARE(selection.selectedRows(1).size(), 1);
    QCOMPARE(model.recordByIndex(selection.selectedRows(1).first()), live.row(3));
    QCOMPARE(model.headerData(model.columnIndex(QStringLiteral("quantity")), Qt::Horizontal, Qt::InitialSortOrderRole)
                 .toInt(),
        int(Qt::DescendingOrder));
}

void TestTreeGroupsModel::sortOrdersSurviveARestart()
{
    // Given a model whose second sort column was turned round and stored, with a column the next version lacks,
    LiveTable live;
    for (qint64 key = 1; key <= 4; ++key) {
        live.insert(key, QStringLiteral("100.00"));
        live.tick(key, "quantity", FieldInput(key));
    }
    MapSettings settings;
    const QList<QPair<QString, Qt::SortOrder>> sorts
        = { { QStringLiteral("price"), Qt::AscendingOrder }, { QStringLiteral("quantity"), Qt::AscendingOrder } };
    {
        OrderGroupsModel before(live.table);
        before.arrange({ { QStringLiteral("account") } }, sorts);
        before.sort(before.columnIndex(QStringLiteral("quantity")), Qt::DescendingOrder);
        before.store(settings);
    }
    settings.setValue(QStringLiteral("sortColumns/3/column"), QStringLiteral("gone"));
    settings.setValue(QStringLiteral("sortColumns/3/sortOrder"), QStringLiteral("ASC"));
    settings.setValue(QStringLiteral("sortColumns/size"), 3);
    QCOMPARE(settings.value(QStringLiteral("sortColumns/2/sortOrder")).toString(), QStringLiteral("DESC"));

    // when a new model restores it,
    OrderGroupsModel after(live.table);
    after.arrange({ { QStringLiteral("account") } }, sorts);
    QSignalSpy reset(&after, &QAbstractItemModel::modelReset);
    QVERIFY(reset.isValid());
    after.restore(settings);

    // then it sorts as the stored one did, in one reset, and keeps its own sort columns.
    QCOMPARE(reset.count(), 1);
    QCOMPARE(treeText(after, GroupKeyRole), QStringLiteral("A(4 3 2 1)"));
    QCOMPARE(after.sortColumns().size(), 2);
}

QTEST_MAIN(TestTreeGroupsModel)
#include "tst_treegroupsmodel.moc"
