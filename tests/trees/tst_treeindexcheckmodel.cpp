// Check boxes over a live tree: the external list of checked records is the only truth, the tree mirrors it
// through every change of the list, of the tree's records and of the user's clicks.

#include "livetable.h"

#include "trees/groupmentcolumns.h"
#include "trees/groupmentrecord.h"
#include "trees/recordchecklist.h"
#include "trees/treeindexcheckmodel.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QtTest>

namespace {

// The state every item should show, computed from the list alone: leaves by membership, groups from their leaves.
Qt::CheckState expectedState(const TreeIndexCheckModel& model, const QModelIndex& index, const RecordCheckList& list)
{
    if (model.rowCount(index) == 0)
        return list.contains(model.recordByIndex(index)) ? Qt::Checked : Qt::Unchecked;
    int checked = 0;
    int partly = 0;
    for (int row = 0; row < model.rowCount(index); ++row) {
        const Qt::CheckState state = expectedState(model, model.index(row, 0, index), list);
        checked += state == Qt::Checked;
        partly += state == Qt::PartiallyChecked;
    }
    if (checked == 0 && partly == 0)
        return Qt::Unchecked;
    return checked == model.rowCount(index) ? Qt::Checked : Qt::PartiallyChecked;
}

// The first item whose shown state differs from the expected one, as "A/7"; empty when all agree.
QString firstWrongState(const TreeIndexCheckModel& model, const RecordCheckList& list, const QModelIndex& parent = {})
{
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        if (index.data(Qt::CheckStateRole).toInt() != expectedState(model, index, list))
            return index.data().toString();
        const QString below = firstWrongState(model, list, index);
        if (!below.isEmpty())
            return index.data().toString() + QLatin1Char('/') + below;
    }
    return QString();
}

// Orders by account, then instrument, in a check model under the model tester.
struct CheckTree
{
    CheckTree()
        : account(QStringLiteral("account"), live.table)
        , sec(QStringLiteral("sec_id"), live.table)
        , model(live.table)
    {
        model.setGroupmentList({ &account, &sec, &order });
        new QAbstractItemModelTester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal, &model);
    }
    LiveTable live;
    GroupmentColumn account;
    GroupmentColumn sec;
    GroupmentRecord order;
    TreeIndexCheckModel model;
};

} // namespace

class TestTreeIndexCheckModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checkingAGroupChecksItsSubtree();
    void mirrorsTheListThroughRandomChanges();
};

void TestTreeIndexCheckModel::checkingAGroupChecksItsSubtree()
{
    // Given orders of two accounts, A with two instruments,
    CheckTree tree;
    LiveTable& live = tree.live;
    TreeIndexCheckModel& model = tree.model;
    for (int key = 1; key <= 4; ++key)
        live.insert(key, QStringLiteral("1.00"), key < 4 ? QStringLiteral("A") : QStringLiteral("B"));
    live.tick(3, "sec_id", qint64(9));
    model.rebuild();
    RecordCheckList list(live.table);
    model.setCheckModel(&list);
    const QModelIndex a = model.index(0, 0);
    QVERIFY(model.isCheckable(a));
    QVERIFY(!model.isCheckable(model.index(0, 1)));

    // when A is checked, its three orders enter the list and A shows checked, B not;
    QVERIFY(model.setChecked(true, a));
    QCOMPARE(list.count(), 3);
    QCOMPARE(a.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(model.checkedCount(), 1);
    QCOMPARE(model.uncheckedCount(), 1);
    QCOMPARE(model.totalCount(), 2);
    // when one order of A is unchecked, its instrument and A are partly checked;
    QVERIFY(model.setChecked(false, model.indexByRecord(live.row(1))));
    QCOMPARE(model.index(0, 0, a).data(Qt::CheckStateRole).toInt(), int(Qt::PartiallyChecked));
    QCOMPARE(a.data(Qt::CheckStateRole).toInt(), int(Qt::PartiallyChecked));
    QCOMPARE(model.checkedCount(), 0);
    // when the list drops an order by itself, the tree follows;
    list.uncheck(live.row(2));
    QCoreApplication::processEvents();
    QCOMPARE(firstWrongState(model, list), QString());
    QCOMPARE(model.index(0, 0, a).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    // and with unchecked rows hidden only the checked order remains.
    model.hideUncheckedRows(true);
    QCOMPARE(model.recordsCount(), 1);
    QVERIFY(model.contains(live.row(3)));
}

void TestTreeIndexCheckModel::mirrorsTheListThroughRandomChanges()
{
    QRandomGenerator rng(qEnvironmentVariableIsSet("BV_SEED") ? quint32(qEnvironmentVariableIntValue("BV_SEED"))
                                                              : QRandomGenerator::global()->generate());
    const quint32 seed = rng.generate();
    rng.seed(seed);
    CheckTree tree;
    LiveTable& live = tree.live;
    TreeIndexCheckModel& model = tree.model;
    const QStringList accounts = { QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C") };
    QList<qint64> keys;
    qint64 next = 1;
    for (; next <= 20; ++next) {
        live.insert(next, QStringLiteral("1.00"), accounts.at(int(rng.bounded(3))));
        keys << next;
    }
    model.rebuild();
    RecordCheckList list(live.table);
    model.setCheckModel(&list);

    for (int round = 0; round < 400; ++round) {
        const int kind = int(rng.bounded(7));
        auto randomItem = [&] {
            QModelIndex index = model.index(int(rng.bounded(model.rowCount())), 0);
            while (model.rowCount(index) > 0 && rng.bounded(3))
                index = model.index(int(rng.bounded(model.rowCount(index))), 0, index);
            return index;
        };
        Record someone = live.row(keys.at(int(rng.bounded(keys.size()))));
        if (kind == 0 && model.rowCount() > 0) {
            model.setChecked(rng.bounded(2), randomItem());
        } else if (kind == 1) {
            if (rng.bounded(2))
                list.check(someone);
            else
                list.uncheck(someone);
        } else if (kind == 2 || keys.size() < 5) {
            live.insert(next, QStringLiteral("1.00"), accounts.at(int(rng.bounded(3))));
            keys << next++;
        } else if (kind == 3) {
            keys.removeOne(someone.data(QStringLiteral("order_num")).toInteger64());
            someone.remove();
        } else if (kind == 4) {
            live.tick(
                someone.data(QStringLiteral("order_num")).toInteger64(), "account", accounts.at(int(rng.bounded(3))));
        } else {
            live.tick(someone.data(QStringLiteral("order_num")).toInteger64(), "sec_id", qint64(rng.bounded(3)));
        }
        QCoreApplication::processEvents();
        const QString wrong = firstWrongState(model, list);
        QVERIFY2(
            wrong.isEmpty(), qPrintable(QStringLiteral("%1 in round %2, seed %3").arg(wrong).arg(round).arg(seed)));
        QCOMPARE(model.checkedCount() + model.uncheckedCount(), model.totalCount());
    }
}

QTEST_MAIN(TestTreeIndexCheckModel)
#include "tst_treeindexcheckmodel.moc"
