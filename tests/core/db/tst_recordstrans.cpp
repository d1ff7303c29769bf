#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "loggedcategories.h"
#include "ordertable.h"
#include "recordfields.h"
#include "recordingindex.h"

#include <QRandomGenerator>
#include <QtTest>

#include <map>

namespace {

// Sees, during preprocess, what the updated handles answer, and during process what they answer then.
class OldNewIndex : public IndexList
{
public:
    explicit OldNewIndex(Table* table)
        : IndexList(table, true)
    { }
    QStringList seen;
    void preprocess(const QList<Record>&, const QList<Record>& updated, int, int, const QList<Record>&,
        const QList<Record>& updatedNew) override
    {
        for (int i = 0; i < updated.size(); ++i)
            seen << QStringLiteral("pre %1->%2").arg(price(updated[i]), price(updatedNew[i]));
    }
    void process(const QList<Record>&, const QList<Record>& updated, int, int, const QList<Record>&) override
    {
        for (const Record& r : updated)
            seen << QStringLiteral("post %1").arg(price(r));
    }
    static QString price(const Record& r) { return r.data(QStringLiteral("price")).toString(); }
};

} // namespace

class tst_RecordsTrans : public QObject
{
    Q_OBJECT

private:
    Table* m_table = nullptr;
    int m_price = -1;

    void fill(std::initializer_list<qint64> keys)
    {
        RecordsTrans trans(m_table);
        for (qint64 k : keys)
            RecordUpdater(makeOrder(m_table, k, QStringLiteral("%1.00").arg(k)), trans);
    }

private Q_SLOTS:
    void init()
    {
        m_table = makeOrderTable(this);
        m_price = m_table->columnIndex(QStringLiteral("price"));
    }
    void cleanup() { delete m_table; }

    void insertsArriveSortedByKeyInOneBatch()
    {
        RecordingIndex index(m_table);
        QCoreApplication::processEvents();
        index.calls.clear();
        fill({ 30, 10, 20 });
        // The base process() hands each added record to add().
        QCOMPARE(index.calls,
            (QStringList { "begin", "preprocess -() ~() +(10 20 30) [-1,-1] new()",
                "process -() ~() +(10 20 30) [-1,-1]", "add 10", "add 20", "add 30", "end" }));
        QCOMPARE(masterRows(m_table), QStringLiteral("10 20 30"));
        QCOMPARE(index.rows(), QStringLiteral("10 20 30"));
        QVERIFY(Record(m_table, QStringLiteral("20")).inTable());
    }

    void preprocessSeesOldValuesAndProcessTheNew()
    {
        fill({ 1, 2 });
        OldNewIndex index(m_table);
        QCoreApplication::processEvents();
        {
            RecordsTrans trans(m_table);
            RecordUpdater u(Record(m_table, QStringLiteral("2")), trans);
            u.data(QStringLiteral("price")) = QStringLiteral("9.99");
            QCOMPARE(OldNewIndex::price(Record(m_table, QStringLiteral("2"))), QStringLiteral("2.00")); // not yet
        }
        QCOMPARE(index.seen, (QStringList { "pre 2.00->9.99", "post 9.99" }));
    }

    void changedColumnRangeCoversOnlyWhatDiffers()
    {
        fill({ 1, 2 });
        RecordingIndex index(m_table, QStringLiteral("i"), m_price);
        QCoreApplication::processEvents();
        index.calls.clear();
        {
            RecordsTrans trans(m_table);
            RecordUpdater(Record(m_table, QStringLiteral("1")), trans).data(QStringLiteral("quantity")) = 5;
            RecordUpdater(Record(m_table, QStringLiteral("2")), trans).data(QStringLiteral("price")) = 3;
            // Written with the value it already has: not a change at all.
            RecordUpdater(Record(m_table, QStringLiteral("2")), trans).data(QStringLiteral("order_num")) = 2;
        }
        QCOMPARE(index.calls.at(1), QStringLiteral("preprocess -() ~(1=1.00 2=2.00) +() [5,6] new(1=1.00 2=3)"));
        QCOMPARE(index.calls.at(2), QStringLiteral("process -() ~(1=1.00 2=3) +() [5,6]"));
    }

    void insertWithAnExistingKeyReplacesThatRecord()
    {
        fill({ 1, 2 });
        const Record original(m_table, QStringLiteral("2"));
        RecordingIndex index(m_table, QStringLiteral("i"), m_price);
        QCoreApplication::processEvents();
        index.calls.clear();
        {
            RecordsTrans trans(m_table);
            RecordUpdater(makeOrder(m_table, 2, QStringLiteral("7.50")), trans);
            RecordUpdater(makeOrder(m_table, 3, QStringLiteral("3.00")), trans);
            QVERIFY(trans.containsKey(QStringLiteral("2")));
            QVERIFY(trans.containsKey(QStringLiteral("3")));
            QVERIFY(!trans.containsKey(QStringLiteral("1")));
        }
        QCOMPARE(index.calls.at(1), QStringLiteral("preprocess -() ~(2=2.00) +(3=3.00) [-1,-1] new(2=7.50)"));
        QCOMPARE(masterRows(m_table, QStringLiteral("price")), QStringLiteral("1=1.00 2=7.50 3=3.00"));
        QCOMPARE(Record(m_table, QStringLiteral("2")), original); // the same record, new values
    }

    void laterInsertOfTheSameKeyWins()
    {
        {
            RecordsTrans trans(m_table);
            RecordUpdater(makeOrder(m_table, 5, QStringLiteral("1.00")), trans);
            RecordUpdater(makeOrder(m_table, 5, QStringLiteral("2.00")), trans);
        }
        QCOMPARE(masterRows(m_table, QStringLiteral("price")), QStringLiteral("5=2.00"));
    }

    void removalsAndInsertsInOneBatch()
    {
        fill({ 1, 2, 3, 4 });
        RecordingIndex index(m_table);
        QCoreApplication::processEvents();
        index.calls.clear();
        {
            RecordsTrans trans(m_table);
            RecordUpdater(Record(m_table, QStringLiteral("2")), trans).remove();
            RecordUpdater(Record(m_table, QStringLiteral("4")), trans).remove();
            RecordUpdater(makeOrder(m_table, 2, QStringLiteral("8.00")), trans); // a new record under a freed key
            Record dropped = makeOrder(m_table, 9);
            RecordUpdater gone(dropped, trans);
            gone.remove(); // a staged insert taken back
        }
        QCOMPARE(index.calls.at(1), QStringLiteral("preprocess -(2 4) ~() +(2) [-1,-1] new()"));
        QCOMPARE(masterRows(m_table, QStringLiteral("price")), QStringLiteral("1=1.00 2=8.00 3=3.00"));
        QCOMPARE(index.rows(), QStringLiteral("1 3 2"));
    }

    void keyCollisionsAreRefusedAndChangeNothing()
    {
        fill({ 1, 2 });
        RecordingIndex index(m_table);
        QCoreApplication::processEvents();
        index.calls.clear();
        RecordsTrans trans(m_table);
        RecordUpdater(Record(m_table, QStringLiteral("1")), trans).data(QStringLiteral("order_num")) = 2;
        QVERIFY_EXCEPTION_THROWN(trans.commit(), QString);
        QCOMPARE(masterRows(m_table, QStringLiteral("price")), QStringLiteral("1=1.00 2=2.00"));
        QVERIFY(index.calls.isEmpty());
        trans.clear();
        {
            // Left to its destructor, the refused transaction says why among the library's diagnostics.
            LoggedCategories log;
            {
                RecordsTrans left(m_table);
                RecordUpdater(Record(m_table, QStringLiteral("1")), left).data(QStringLiteral("order_num")) = 2;
            }
            QCOMPARE(log.categories, QStringList { QStringLiteral("QGuiLog") });
        }
        QCOMPARE(masterRows(m_table, QStringLiteral("price")), QStringLiteral("1=1.00 2=2.00"));

        // Two keys swapped in one batch are fine: nobody keeps the key the other takes.
        RecordUpdater(Record(m_table, QStringLiteral("1")), trans).data(QStringLiteral("order_num")) = 2;
        RecordUpdater(Record(m_table, QStringLiteral("2")), trans).data(QStringLiteral("order_num")) = 1;
        trans.commit();
        QCOMPARE(masterRows(m_table, QStringLiteral("price")), QStringLiteral("1=2.00 2=1.00"));
    }

    void abandonedTransactionLeavesTheTableAsItWas()
    {
        fill({ 1 });
        RecordingIndex index(m_table);
        QCoreApplication::processEvents();
        index.calls.clear();
        const Record fresh = makeOrder(m_table, 2);
        try {
            RecordsTrans trans(m_table);
            RecordUpdater(fresh, trans);
            RecordUpdater(Record(m_table, QStringLiteral("1")), trans).data(QStringLiteral("price")) = 5;
            RecordUpdater(Record(m_table, QStringLiteral("1")), trans).data(QStringLiteral("account"))
                = QStringLiteral("far too long"); // throws while the transaction is open
        } catch (const QString&) { }
        QVERIFY(index.calls.isEmpty());
        QCOMPARE(masterRows(m_table, QStringLiteral("price")), QStringLiteral("1=1.00"));
        QVERIFY(!fresh.inTable());
        fresh.clone().append(); // and the abandoned record is free to go elsewhere
        QCOMPARE(m_table->count(), 2);
    }

    void clearedTransactionChangesNothing()
    {
        fill({ 1 });
        const Record fresh = makeOrder(m_table, 2);
        {
            RecordsTrans trans(m_table);
            RecordUpdater(fresh, trans);
            RecordUpdater(Record(m_table, QStringLiteral("1")), trans).remove();
            QCOMPARE(trans.count(), 2);
            trans.clear();
            QVERIFY(trans.isEmpty());
        }
        QCOMPARE(masterRows(m_table), QStringLiteral("1"));
        Record(fresh).append(); // no longer staged anywhere
        QCOMPARE(masterRows(m_table), QStringLiteral("1 2"));
    }

    void copyTakesARangeOfFields()
    {
        fill({ 1 });
        Record source = makeOrder(m_table, 99, QStringLiteral("4.25"));
        source.data(QStringLiteral("account")) = QStringLiteral("ACC");
        {
            RecordsTrans trans(m_table);
            RecordUpdater u(Record(m_table, QStringLiteral("1")), trans);
            u.copy(source, m_price, m_price);
        }
        const Record r(m_table, QStringLiteral("1"));
        QCOMPARE(r.data(QStringLiteral("price")).toString(), QStringLiteral("4.25"));
        QVERIFY(!r.data(QStringLiteral("account")).hasValue());
    }

    void recordsOfAnotherTableAreRefused()
    {
        Table* other = makeOrderTable(this, QStringLiteral("other"));
        RecordsTrans trans(m_table);
        QVERIFY_EXCEPTION_THROWN(RecordUpdater(Record(other), trans), QString);
        QVERIFY_EXCEPTION_THROWN(RecordUpdater(Record(), trans), QString);
        delete other;
    }

    void appendListInsertsAsOneBatch()
    {
        RecordingIndex index(m_table);
        QCoreApplication::processEvents();
        index.calls.clear();
        m_table->appendList({ makeOrder(m_table, 3), makeOrder(m_table, 1) });
        QCOMPARE(index.calls,
            (QStringList { "begin", "preprocess -() ~() +(1 3) [-1,-1] new()", "process -() ~() +(1 3) [-1,-1]",
                "add 1", "add 3", "end" }));
        QCOMPARE(masterRows(m_table), QStringLiteral("1 3"));
    }

    void largeRandomBatchesKeepTheMasterIndexExact()
    {
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator rng(seed);
        std::map<qint64, qint64> oracle; // key -> quantity
        for (int round = 0; round < 60; ++round) {
            RecordsTrans trans(m_table);
            QSet<qint64> touched; // one change per key and batch keeps the oracle simple
            // Large batches find their rows by one walk, small ones in a large table by searching each key.
            const int n = round % 2 ? int(rng.bounded(3000)) : 1 + int(rng.bounded(4));
            for (int i = 0; i < n; ++i) {
                const qint64 key = rng.bounded(20000);
                const qint64 quantity = rng.bounded(1000);
                if (touched.contains(key))
                    continue;
                touched.insert(key);
                const Record existing(m_table, QString::number(key));
                if (!existing.isNull() && rng.bounded(3) == 0) {
                    RecordUpdater(existing, trans).remove();
                    oracle.erase(key);
                    continue;
                }
                const qint64 moved = 20000 + rng.bounded(20000);
                if (!existing.isNull() && rng.bounded(3) == 0 && !oracle.count(moved) && !touched.contains(moved)) {
                    // A key change: the record leaves its place and comes back under the new key.
                    touched.insert(moved);
                    RecordUpdater(existing, trans).data(QStringLiteral("order_num")) = moved;
                    oracle[moved] = oracle[key];
                    oracle.erase(key);
                    continue;
                }
                Record r = makeOrder(m_table, key);
                r.data(QStringLiteral("quantity")) = quantity;
                RecordUpdater(r, trans);
                oracle[key] = quantity;
            }
            trans.commit();
            QStringList expected;
            for (const auto& [key, quantity] : oracle)
                expected << QStringLiteral("%1=%2").arg(key).arg(quantity);
            if (masterRows(m_table, QStringLiteral("quantity")) != expected.join(QLatin1Char(' ')))
                QFAIL(qPrintable(QStringLiteral("master index diverged in round %1, seed %2").arg(round).arg(seed)));
        }
    }
};

QTEST_GUILESS_MAIN(tst_RecordsTrans)
#include "tst_recordstrans.moc"
