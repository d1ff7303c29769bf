#include "core/db/handlefilter.h"
#include "core/db/partitionlist.h"
#include "core/db/private/recorddata_p.h"
#include "core/db/record.h"
#include "ordertable.h"

#include <QRandomGenerator>
#include <QtTest>

#include <numeric>
#include <set>
#include <vector>

using List = PartitionList<int>;

namespace {

List filled(int n)
{
    List list;
    for (int i = 0; i < n; ++i)
        list.append(i);
    return list;
}

QString sizes(const List& list)
{
    QStringList parts;
    for (int p = 0; p < list.partitionCount(); ++p)
        parts << QString::number(list.partitionSize(p));
    return parts.join(QLatin1Char(' '));
}

std::vector<int> contents(const List& list)
{
    return std::vector<int>(list.begin(), list.end());
}

} // namespace

class tst_PartitionList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void insertAtPartitionStartGoesToThePreviousPartition()
    {
        List list = filled(9999);
        list.append(100000); // second partition starts at 9999
        QCOMPARE(sizes(list), QStringLiteral("9999 1"));
        list.insert(9999, 55);
        // The first partition took it and, full, split in halves.
        QCOMPARE(sizes(list), QStringLiteral("5000 5000 1"));
        QCOMPARE(list.at(9999), 55);
        QCOMPARE(list.at(10000), 100000);
    }

    void removalDropsEmptiedPartitionAndMergesSmallNeighbours()
    {
        List list = filled(9999);
        list.insert(0, -1); // 5000 5000
        list.append(1); // the last partition has room
        QCOMPARE(sizes(list), QStringLiteral("5000 5001"));
        list.remove(0, 4000); // 1000 + 5001 >= 5000: no merge yet
        QCOMPARE(sizes(list), QStringLiteral("1000 5001"));
        list.remove(1000, 2000); // the second shrinks to 3001; 1000 + 3001 < 5000: merged into the first
        QCOMPARE(sizes(list), QStringLiteral("4001"));
        list.remove(0, list.count());
        QCOMPARE(list.partitionCount(), 0);
        QVERIFY(list.isEmpty());
        QVERIFY(list.begin() == list.end());
    }

    void removalMergesWithThePreviousNeighbour()
    {
        List list = filled(3 * 9999); // 9999 9999 9999
        list.remove(9999, 9000); // middle: 999, previous 9999 too large, next 9999 too large
        QCOMPARE(sizes(list), QStringLiteral("9999 999 9999"));
        list.remove(10998, 9000); // last: 999; no next, with previous 999 -> 1998 < 5000, merged
        QCOMPARE(sizes(list), QStringLiteral("9999 1998"));
        list.remove(0, 9000); // first: 999; with next 1998 -> 2997 < 5000, merged
        QCOMPARE(sizes(list), QStringLiteral("2997"));
    }

    void atOutsideTheListIsAnEmptyElement()
    {
        const List list = filled(3);
        QCOMPARE(list.at(-1), 0);
        QCOMPARE(list.at(3), 0);
        PartitionList<Record> records;
        QVERIFY(records.at(0).isNull());
        QVERIFY(records.at(-5).isNull());
    }

    void iteratorsCrossPartitions()
    {
        List list = filled(25000);
        QCOMPARE(list.end() - list.begin(), 25000);
        auto it = list.begin() + 9998;
        QCOMPARE(*it, 9998);
        ++it;
        QCOMPARE(*it, 9999);
        QCOMPARE(it.position(), 9999);
        --it;
        QCOMPARE(*it, 9998);
        QCOMPARE((list.end() - 1).position(), 24999);
    }

    void standardAlgorithmsSortAcrossPartitions()
    {
        QRandomGenerator rng(7);
        List list;
        std::vector<std::pair<int, int>> oracle;
        for (int i = 0; i < 30000; ++i) {
            const int v = int(rng.bounded(500));
            list.append(v * 100000 + i); // low digits: arrival order
            oracle.push_back({ v, i });
        }
        auto byValue = [](int a, int b) { return a / 100000 < b / 100000; };
        std::stable_sort(list.begin(), list.end(), byValue);
        std::stable_sort(oracle.begin(), oracle.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (int i = 0; i < 30000; ++i)
            QCOMPARE(list.at(i), oracle[std::size_t(i)].first * 100000 + oracle[std::size_t(i)].second);
        QCOMPARE(list.partitionPoint([](int v) { return v / 100000 < 250; }),
            int(std::partition_point(oracle.begin(), oracle.end(), [](const auto& p) { return p.first < 250; })
                - oracle.begin()));
    }

    void randomEditsMatchAVector()
    {
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator rng(seed);
        List list;
        std::vector<int> oracle;
        for (int step = 0; step < 3000; ++step) {
            const int op = int(rng.bounded(10));
            const int n = int(oracle.size());
            if (op < 5 || n == 0) {
                const int pos = int(rng.bounded(n + 1));
                const int count = op == 0 ? int(rng.bounded(15000)) + 1 : 1;
                std::vector<int> block(std::size_t(count), step);
                list.insert(pos, block.begin(), block.end());
                oracle.insert(oracle.begin() + pos, block.begin(), block.end());
            } else if (op < 9) {
                const int pos = int(rng.bounded(n));
                const int count = 1 + int(rng.bounded(qMin(n - pos, op == 8 ? 12000 : 3)));
                list.remove(pos, count);
                oracle.erase(oracle.begin() + pos, oracle.begin() + pos + count);
            } else {
                const int first = int(rng.bounded(n));
                const int last = first + int(rng.bounded(qMin(n - first, 50)));
                const int to = int(rng.bounded(n + 1));
                list.move(first, last, to);
                if (to < first || to > last + 1) {
                    std::vector<int> moved(oracle.begin() + first, oracle.begin() + last + 1);
                    oracle.erase(oracle.begin() + first, oracle.begin() + last + 1);
                    const int dest = to > last ? to - int(moved.size()) : to;
                    oracle.insert(oracle.begin() + dest, moved.begin(), moved.end());
                }
            }
            if (contents(list) != oracle || list.count() != int(oracle.size()))
                QFAIL(qPrintable(QStringLiteral("diverged at step %1, seed %2").arg(step).arg(seed)));
            for (int p = 0; p < list.partitionCount(); ++p) {
                if (list.partitionSize(p) <= 0 || list.partitionSize(p) >= List::MaxPartitionSize)
                    QFAIL(qPrintable(QStringLiteral("bad partition at step %1, seed %2").arg(step).arg(seed)));
            }
        }
    }

    void bulkInsertionAndRemovalMatchAVector()
    {
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator rng(seed);
        List list;
        std::vector<int> oracle;
        for (int step = 0; step < 200; ++step) {
            const int n = int(oracle.size());
            if (rng.bounded(3) != 0 || n == 0) {
                // Ascending positions, some repeated, often at 0, at the end and at partition starts.
                const int count = 1 + int(rng.bounded(step % 7 == 0 ? 30000 : 300));
                std::vector<int> positions;
                for (int i = 0; i < count; ++i) {
                    const int kind = int(rng.bounded(8));
                    positions.push_back(kind == 0 ? 0
                            : kind == 1           ? n
                            : kind == 2           ? qMin(n, 9999)
                                                  : int(rng.bounded(n + 1)));
                }
                std::sort(positions.begin(), positions.end());
                std::vector<int> values(positions.size());
                std::iota(values.begin(), values.end(), step * 100000);
                for (std::size_t i = positions.size(); i-- > 0;) // from the back: earlier positions stay valid
                    oracle.insert(oracle.begin() + positions[i], values[i]);
                list.insertMany(positions, values);
            } else {
                RangeSet<int> cut;
                const int ranges = 1 + int(rng.bounded(step % 5 == 0 ? 2000 : 20));
                for (int i = 0; i < ranges; ++i) {
                    const int start = int(rng.bounded(n));
                    cut.insert(start, qMin(n, start + 1 + int(rng.bounded(i % 10 == 0 ? 15000 : 3))));
                }
                for (int i = cut.rangeCount() - 1; i >= 0; --i)
                    oracle.erase(oracle.begin() + cut.range(i).start, oracle.begin() + cut.range(i).end);
                list.removeRanges(cut);
                for (int p = 1; p < list.partitionCount(); ++p) {
                    if (list.partitionSize(p - 1) + list.partitionSize(p) < List::MergeThreshold)
                        QFAIL(qPrintable(
                            QStringLiteral("small neighbours left at step %1, seed %2").arg(step).arg(seed)));
                }
            }
            if (contents(list) != oracle || list.count() != int(oracle.size()))
                QFAIL(qPrintable(QStringLiteral("diverged at step %1, seed %2").arg(step).arg(seed)));
            for (int p = 0; p < list.partitionCount(); ++p) {
                if (list.partitionSize(p) <= 0 || list.partitionSize(p) >= List::MaxPartitionSize)
                    QFAIL(qPrintable(QStringLiteral("bad partition at step %1, seed %2").arg(step).arg(seed)));
            }
            QCOMPARE(list.at(list.count() - 1), oracle.empty() ? 0 : oracle.back());
            // A stretch read partition by partition, and a value looked for in a window of it.
            const int m = int(oracle.size());
            const int first = int(rng.bounded(m + 1)) - 1;
            const int last = first + int(rng.bounded(step % 3 == 0 ? 25000 : 50));
            std::vector<int> read;
            list.forEachIn(first, last, [&](int at, int value) {
                if (at != qMax(first, 0) + int(read.size()))
                    QFAIL(qPrintable(QStringLiteral("position %1 out of turn, seed %2").arg(at).arg(seed)));
                read.push_back(value);
            });
            QVERIFY(
                read == std::vector<int>(oracle.begin() + qBound(0, first, m), oracle.begin() + qBound(0, last, m)));
            if (m > 0) {
                const int sought = oracle[std::size_t(rng.bounded(m))];
                const auto from = oracle.begin() + qBound(0, first, m);
                const auto to = oracle.begin() + qBound(0, last, m);
                const auto at = std::find(from, to, sought);
                QCOMPARE(list.indexIn(sought, first, last - first), at == to ? -1 : int(at - oracle.begin()));
            }
        }
    }

    // Handles shift inside partitions as bytes: every handle must keep exactly its own references.
    // The filter a walk over a list asks first never misses a held handle, in either form; over handles at least a
    // line apart (a table's rows) the direct form answers exactly, the way a walk that takes every hit relies on.
    void handleFilterNeverMissesAndIsExactOverSpacedHandles_data()
    {
        QTest::addColumn<int>("stride");
        QTest::addColumn<bool>("direct");
        QTest::newRow("rows of 80 bytes, direct") << 80 << true;
        QTest::newRow("rows of 64 bytes, direct") << 64 << true;
        QTest::newRow("rows of 40 bytes, direct") << 40 << true;
        QTest::newRow("rows of 80 bytes, hashed") << 80 << false;
    }
    void handleFilterNeverMissesAndIsExactOverSpacedHandles()
    {
        QFETCH(int, stride);
        QFETCH(bool, direct);
        const int rows = 20000;
        std::vector<char> block(std::size_t(rows) * std::size_t(stride) + 64);
        // Rows need not start on a line: an odd start puts some rows across two lines.
        auto handleOf
            = [&](int row) -> const void* { return block.data() + 24 + std::size_t(row) * std::size_t(stride); };
        QRandomGenerator rng(7);
        std::vector<const void*> held;
        std::set<const void*> oracle;
        for (int row = 0; row < rows; ++row) {
            if (rng.bounded(100) == 0) {
                held.push_back(handleOf(row));
                oracle.insert(handleOf(row));
            }
        }
        const HandleFilter filter(held, direct ? HandleFilter::DirectBits : 0, std::size_t(stride));
        QCOMPARE(filter.exact(), direct && stride >= 64);
        int falseHits = 0;
        for (int row = 0; row < rows; ++row) {
            const bool isHeld = oracle.count(handleOf(row)) > 0;
            const bool hit = filter.mayContain(handleOf(row));
            QVERIFY2(hit || !isHeld, qPrintable(QStringLiteral("row %1 held but missed").arg(row)));
            falseHits += hit && !isHeld ? 1 : 0;
        }
        if (filter.exact())
            QCOMPARE(falseHits, 0);
        else if (direct)
            QVERIFY(falseHits > 0); // rows of 40 bytes share lines: the claim of exactness would be wrong
    }

    void recordHandlesSurviveShiftsWithExactReferenceCounts()
    {
        std::unique_ptr<Table> table(makeOrderTable());
        std::vector<Record> records;
        for (int i = 0; i < 12000; ++i)
            records.push_back(Record(table.get()));
        auto referencesHeldByList = [&](const PartitionList<Record>& list) {
            std::vector<int> seen(records.size());
            for (const Record& r : list)
                ++seen[std::size_t(std::find(records.begin(), records.end(), r) - records.begin())];
            return seen;
        };
        {
            PartitionList<Record> list;
            for (int i = 0; i < 9000; ++i)
                list.append(records[std::size_t(i)]);
            list.insert(10, records[9000]);
            list.insert(0, records.begin() + 9001, records.begin() + 10500); // splits the full partition
            list.remove(5, 700);
            RangeSet<int> cut;
            cut.insert(0, 3);
            cut.insert(4990, 5020); // across a partition boundary
            list.removeRanges(cut);
            std::vector<int> positions { 0, 0, 100, list.count() };
            std::vector<Record> extra { records[10500], records[10501], records[0], records[10502] };
            list.insertMany(positions, extra);
            QCOMPARE(list.at(0), records[10500]);
            QCOMPARE(list.at(1), records[10501]);
            QCOMPARE(list.last(), records[10502]);
            const std::vector<int> held = referencesHeldByList(list);
            for (std::size_t i = 0; i < records.size(); ++i)
                QCOMPARE(records[i].handle()->ref.loadRelaxed(), 1 + held[i]);
        }
        for (const Record& r : records)
            QCOMPARE(r.handle()->ref.loadRelaxed(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_PartitionList)
#include "tst_partitionlist.moc"
