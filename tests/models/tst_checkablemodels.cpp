#include "core/db/masterindex.h"
#include "livetable.h"
#include "models/checkableindexmodel.h"
#include "models/checkeditemmodelbytable.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QSet>
#include <QSignalSpy>
#include <QtTest>

namespace {

// The accounts an orders table holds, each once.
class AccountsModel : public CheckedItemModelByTable
{
public:
    explicit AccountsModel(Table* table)
        : m_table(table)
    { }

protected:
    void fillListFromTable(QList<Item>& list) override
    {
        QSet<QString> seen;
        for (const Record& r : *m_table->masterIndex()) {
            const QString account = r.data(QStringLiteral("account")).toString();
            if (!seen.contains(account)) {
                seen.insert(account);
                list.append({ true, account });
            }
        }
        std::sort(list.begin(), list.end(), [](const Item& a, const Item& b) { return a.value < b.value; });
    }

private:
    Table* m_table;
};

quint32 freshSeed()
{
    return qEnvironmentVariableIsSet("BV_SEED") ? qgetenv("BV_SEED").toUInt() : QRandomGenerator::global()->generate();
}

} // namespace

class tst_CheckableModels : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each row's check state belongs to its record through random batches and single changes (orders coming,
    // going and changing the shown column, which moves their rows) and random clicks; new rows come in the initial
    // state; a click that changes nothing answers false and sends nothing. BV_SEED replays a run.
    void statesFollowTheirRecords_data()
    {
        QTest::addColumn<int>("initial");
        QTest::addColumn<quint32>("seed");
        QTest::addRow("checked, seed 5") << int(Qt::Checked) << 5u;
        QTest::addRow("unchecked, fresh seed") << int(Qt::Unchecked) << freshSeed();
    }
    void statesFollowTheirRecords()
    {
        QFETCH(int, initial);
        QFETCH(quint32, seed);
        QRandomGenerator rng(seed);
        LiveTable live;
        for (int key = 1; key <= 40; ++key)
            live.insert(key, QStringLiteral("1"), QStringLiteral("A%1").arg(rng.bounded(20)));
        CheckableIndexModel model(live.table, live.column("account"), Qt::CheckState(initial));
        new QAbstractItemModelTester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal, &model);
        QCoreApplication::processEvents(); // the table builds it
        QHash<Record, int> oracle;
        for (const Record& r : *live.table->masterIndex())
            oracle.insert(r, initial);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        qint64 next = 100;
        for (int step = 0; step < 300; ++step) {
            const int rows = model.rowCount();
            const qint64 key = next - 1 - rng.bounded(int(next - 1)); // often gone by now
            const bool there = !live.row(key).isNull();
            const QString account = QStringLiteral("A%1").arg(rng.bounded(20));
            switch (rng.bounded(4)) {
            case 0:
                for (int k = int(rng.bounded(1, 12)); k > 0; --k) {
                    const qint64 some = next - 1 - rng.bounded(int(next - 1));
                    if (!live.row(some).isNull() && rng.bounded(2))
                        live.stageTick(some, "account", QStringLiteral("A%1").arg(rng.bounded(20)));
                    else if (!live.row(some).isNull())
                        live.stageRemove(some);
                    else
                        live.stageInsert(next++, QStringLiteral("1"), account);
                }
                live.commit();
                break;
            case 1:
                if (there)
                    live.tick(key, "account", account);
                else
                    live.insert(next++, QStringLiteral("1"), account);
                break;
            case 2:
                if (there)
                    live.remove(key);
                break;
            default: {
                if (rows == 0)
                    break;
                const QModelIndex index = model.index(int(rng.bounded(rows)), 0);
                const int state = rng.bounded(2) ? Qt::Checked : Qt::Unchecked;
                const int before = changed.count();
                const bool differs = oracle.value(model.at(index.row())) != state;
                QCOMPARE(model.setData(index, state, Qt::CheckStateRole), differs);
                QCOMPARE(changed.count(), before + (differs ? 1 : 0));
                oracle[model.at(index.row())] = state;
            }
            }
            for (const Record& r : *live.table->masterIndex()) {
                if (!oracle.contains(r))
                    oracle.insert(r, initial);
            }
            QCOMPARE(model.rowCount(), live.table->count());
            for (int row = 0; row < model.rowCount(); ++row) {
                QVERIFY2(model.index(row, 0).data(Qt::CheckStateRole).toInt() == oracle.value(model.at(row)),
                    qPrintable(QStringLiteral("row %1 at step %2, seed %3").arg(row).arg(step).arg(seed)));
            }
        }
    }

    // A fresh reading of the table merges into the list: values that stay keep their marks, the one that went
    // leaves with one removal and the one that came arrives with one insertion, checked.
    void populateKeepsMarksAndSendsOnlyTheDifference()
    {
        LiveTable live;
        const char* accounts[] = { "A1", "B2", "C3", "D4" };
        for (int key = 0; key < 4; ++key)
            live.insert(key + 1, QStringLiteral("1"), QString::fromLatin1(accounts[key]));
        AccountsModel model(live.table);
        new QAbstractItemModelTester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal, &model);
        model.populate();
        QVERIFY(model.setData(model.index(1), Qt::Unchecked, Qt::CheckStateRole)); // B2
        QVERIFY(model.setData(model.index(3), Qt::Unchecked, Qt::CheckStateRole)); // D4
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        live.remove(3); // C3 goes
        live.insert(5, QStringLiteral("1"), QStringLiteral("B3")); // B3 comes
        model.populate();
        QCOMPARE(removed.count(), 1);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(model.values(), QStringList({ "A1", "B2", "B3", "D4" }));
        QCOMPARE(model.checkedValues(), QStringList({ "A1", "B3" }));
        live.table->clear();
        model.populate();
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(removed.count(), 2);
    }
};

QTEST_MAIN(tst_CheckableModels)
#include "tst_checkablemodels.moc"
