#include "core/db/indexdependbase.h"
#include "core/db/masterindex.h"
#include "core/db/tablelocker.h"
#include "core/db/tableupdater.h"
#include "ordertable.h"
#include "recordfields.h"
#include "recordingindex.h"

#include <QtTest>

#include <atomic>
#include <thread>

namespace {

Table* makePositionTable(QObject* parent)
{
    return new Table(QStringLiteral("positions"),
        { ColumnDef(FieldType::String, 7, QStringLiteral("account")),
            ColumnDef(FieldType::Int64, 0, QStringLiteral("sec_id")),
            ColumnDef(FieldType::Int64, 0, QStringLiteral("pos")) },
        { QStringLiteral("account"), QStringLiteral("sec_id") }, parent);
}

} // namespace

class tst_Table : public QObject
{
    Q_OBJECT

private:
    Table* m_table = nullptr;

    Record append(qint64 key, const QString& price = QStringLiteral("1.00"))
    {
        Record r = makeOrder(m_table, key, price);
        r.append();
        return r;
    }

private Q_SLOTS:
    void init() { m_table = makeOrderTable(this); }
    void cleanup() { delete m_table; }

    void refusesBadDefinitions()
    {
        const QList<ColumnDef> columns { ColumnDef(FieldType::Int32, QStringLiteral("a")),
            ColumnDef(FieldType::Int32, QStringLiteral("a")) };
        QVERIFY_EXCEPTION_THROWN(Table(QStringLiteral("t"), columns, {}), QString);
        QVERIFY_EXCEPTION_THROWN(
            Table(QStringLiteral("t"), { ColumnDef(FieldType::Int32, QStringLiteral("a")) }, { QStringLiteral("b") }),
            QString);
    }

    void indexIsBuiltFromTheEventLoopNotFromItsConstructor()
    {
        append(1);
        RecordingIndex index(m_table);
        QVERIFY(index.calls.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(index.calls, QStringList { QStringLiteral("build") });
        QCOMPARE(index.rows(), QStringLiteral("1"));
    }

    void indexRemovedBeforeItsBuildIsNeverBuilt()
    {
        auto* index = new RecordingIndex(m_table);
        QStringList log;
        index->sharedLog = &log;
        delete index; // unregisters
        QCoreApplication::processEvents();
        QVERIFY(log.isEmpty());
        QVERIFY(m_table->indexes().isEmpty());
    }

    void singleChangesReachTheMasterFirstThenIndexesInOrder()
    {
        QStringList log;
        RecordingIndex first(m_table, QStringLiteral("first"), 5);
        RecordingIndex second(m_table, QStringLiteral("second"), 5);
        QCoreApplication::processEvents();
        first.sharedLog = &log;
        second.sharedLog = &log;

        Record r = append(10, QStringLiteral("5.00"));
        r.data(QStringLiteral("price")) = QStringLiteral("6.00");
        r.updated(5);
        r.remove();

        // Each change in its own bracket, every index told in the order it was added.
        QStringList expected;
        for (const char* step : { "add 10=5.00", "update 10=6.00 [5,5]", "remove 10=6.00" }) {
            expected << QStringLiteral("first:begin") << QStringLiteral("second:begin")
                     << QStringLiteral("first:") + QLatin1String(step)
                     << QStringLiteral("second:") + QLatin1String(step) << QStringLiteral("first:end")
                     << QStringLiteral("second:end");
        }
        QCOMPARE(log, expected);
        QCOMPARE(m_table->count(), 0);
    }

    void outerUpdaterBracketsChangesOnceAndOnlyWhenSomethingChanged()
    {
        RecordingIndex index(m_table);
        QCoreApplication::processEvents();
        index.calls.clear();
        {
            TableUpdater updater(m_table);
        }
        QVERIFY(index.calls.isEmpty());
        {
            TableUpdater updater(m_table);
            append(1);
            append(2);
        }
        QCOMPARE(index.calls, (QStringList { "begin", "add 1", "add 2", "end" }));
    }

    void masterIndexKeepsKeyOrderAndRefusesDuplicates()
    {
        for (qint64 key : { 5, 1, 9, 3 })
            append(key);
        QCOMPARE(masterRows(m_table), QStringLiteral("1 3 5 9"));
        Record twin = makeOrder(m_table, 3);
        QVERIFY_EXCEPTION_THROWN(twin.append(), QString);
        QVERIFY(!twin.inTable());
        QCOMPARE(m_table->count(), 4);
    }

    void keyChangeMovesTheRecordInTheMasterIndex()
    {
        for (qint64 key : { 1, 2, 3 })
            append(key);
        Record r(m_table, QStringLiteral("1"));
        r.data(QStringLiteral("order_num")) = 7;
        r.updated(0);
        QCOMPARE(masterRows(m_table), QStringLiteral("2 3 7"));
        QCOMPARE(Record(m_table, QStringLiteral("7")), r);
        QVERIFY(Record(m_table, QStringLiteral("1")).isNull());
    }

    void detachedRecordsFindTheirTableTwin()
    {
        for (qint64 key : { 4, 8, 15, 16, 23, 42 })
            append(key);
        const Record probe = makeOrder(m_table, 16);
        const int row = m_table->masterIndex()->find(probe);
        QCOMPARE(row, 3);
        QCOMPARE(m_table->find(probe).toString(), QStringLiteral("16"));
        QVERIFY(m_table->find(probe) != probe); // another handle: the table's own record
        QCOMPARE(m_table->masterIndex()->find(makeOrder(m_table, 17)), -1);
        QCOMPARE(m_table->masterIndex()->indexOf(m_table->find(probe)), 3);
        QCOMPARE(Record(m_table, QStringLiteral("23")).data(QStringLiteral("order_num")).toInteger(), 23);
        QVERIFY(Record(m_table, QStringLiteral("24")).isNull());
        QVERIFY(Record(m_table, QStringLiteral("abc")).isNull());
        QVERIFY(Record(m_table, QStringLiteral("1,2")).isNull());
    }

    void compositeKeysAreJoinedWithCommas()
    {
        Table* positions = makePositionTable(this);
        for (const auto& [account, sec] : { std::pair<const char*, int> { "B", 1 }, { "A", 2 }, { "A", 1 } }) {
            Record r(positions);
            r.data(QStringLiteral("account")) = QString::fromLatin1(account);
            r.data(QStringLiteral("sec_id")) = sec;
            r.append();
        }
        QCOMPARE(masterRows(positions), QStringLiteral("A,1 A,2 B,1"));
        QCOMPARE(Record(positions, QStringLiteral("A,2")).data(QStringLiteral("sec_id")).toInteger(), 2);
        QVERIFY(Record(positions, QStringLiteral("A")).isNull());
        delete positions;
    }

    void handleKeepsARemovedRowAlive()
    {
        Record r = append(1, QStringLiteral("2.50"));
        const Record copy = r;
        m_table->remove(r);
        r = Record();
        QVERIFY(!copy.inTable());
        QCOMPARE(copy.data(QStringLiteral("price")).toString(), QStringLiteral("2.50"));
        QCOMPARE(m_table->count(), 0);
    }

    void recordsCompareByIdentity()
    {
        const Record a = append(1);
        const Record b = a;
        const Record c = a.clone();
        QVERIFY(a == b);
        QVERIFY(a != c);
        QCOMPARE(c.data(QStringLiteral("order_num")).toInteger(), 1);
        QVERIFY(!c.inTable());
        QCOMPARE(std::less<Record>()(a, c), a.handle() < c.handle());
        QVERIFY(Record::null.isNull());
        Record d(m_table);
        d.copy(a);
        QCOMPARE(d.toString(), QStringLiteral("1"));
    }

    void clearEmptiesTheTableAndEveryIndex()
    {
        RecordingIndex index(m_table);
        QCoreApplication::processEvents();
        const Record r = append(1);
        append(2);
        index.calls.clear();
        m_table->clear();
        QCOMPARE(index.calls, (QStringList { "begin", "clear", "end" }));
        QCOMPARE(m_table->count(), 0);
        QVERIFY(!r.inTable());
        QCOMPARE(index.count(), 0);
    }

    void lockerOnAnotherThreadWaitsForTheUpdater()
    {
        append(1);
        std::atomic<bool> read { false };
        std::thread reader;
        {
            TableUpdater updater(m_table);
            reader = std::thread([&] {
                TableLocker locker(m_table);
                read = m_table->count() == 2;
            });
            QTest::qWait(50);
            QVERIFY(!read); // still waiting for the write to end
            append(2);
        }
        reader.join();
        QVERIFY(read);
        TableLocker sameThread(m_table); // the owner thread reads without locking
        QCOMPARE(m_table->count(), 2);
    }

    void dependentIndexesHearTheirOwnersChanges()
    {
        RecordingIndex owner(m_table, QStringLiteral("owner"));
        IndexDependBase depend(&owner);
        RecordingIndex dependent(m_table, QStringLiteral("dependent"));
        m_table->removeIndex(&dependent); // it listens to the owner only
        depend.addDependentIndex(&dependent);
        QCOMPARE(depend.owner(), &owner);
        QCoreApplication::processEvents();
        QCOMPARE(dependent.calls, QStringList { QStringLiteral("build") });

        const Record r = makeOrder(m_table, 3);
        dependent.calls.clear();
        depend.add(r);
        depend.remove(r, 0);
        QCOMPARE(dependent.calls, (QStringList { "add 3", "remove 3" }));
        depend.removeDependentIndex(&dependent);
        dependent.calls.clear();
        depend.add(r);
        QVERIFY(dependent.calls.isEmpty());
    }

    // Any two records whose keys compare equal hash equal, whatever scale a decimal was written with.
    void equalKeysHashEqual()
    {
        Table table(QStringLiteral("k"),
            { ColumnDef(FieldType::Decimal, 4, QStringLiteral("d")),
                ColumnDef(FieldType::String, 5, QStringLiteral("s")),
                ColumnDef(FieldType::Int64, 0, QStringLiteral("n")) },
            { QStringLiteral("d"), QStringLiteral("s"), QStringLiteral("n") });
        const QStringList decimals { QStringLiteral("1.5"), QStringLiteral("1.50"), QStringLiteral("1.5000"),
            QStringLiteral("2"), QStringLiteral("2.0"), QString() };
        const QStringList texts { QStringLiteral("a"), QStringLiteral("ab"), QStringLiteral("Б"), QString() };
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        QList<Record> records;
        for (int i = 0; i < 200; ++i) {
            Record r(&table);
            if (const QString d = decimals.at(random.bounded(decimals.size())); !d.isEmpty())
                r.data(0) = d;
            if (const QString t = texts.at(random.bounded(texts.size())); !t.isEmpty())
                r.data(1) = t;
            r.data(2) = qint64(random.bounded(2));
            records << r;
        }
        const MasterIndex* master = table.masterIndex();
        int equalPairs = 0;
        for (const Record& a : qAsConst(records)) {
            for (const Record& b : qAsConst(records)) {
                if (master->compareKeys(a, b) != 0)
                    continue;
                ++equalPairs;
                QVERIFY2(master->keyHash(a, 7) == master->keyHash(b, 7),
                    qPrintable(QStringLiteral("seed %1: %2 / %3").arg(seed).arg(a.toString(), b.toString())));
            }
        }
        QVERIFY(equalPairs > records.size());
    }
};

QTEST_GUILESS_MAIN(tst_Table)
#include "tst_table.moc"
