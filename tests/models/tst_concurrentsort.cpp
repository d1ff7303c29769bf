#include "core/db/partitionlist.h"
#include "core/db/record.h"
#include "models/concurrentsort.h"
#include "ordertable.h"

#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <numeric>
#include <random>
#include <thread>
#include <vector>

namespace {

// Values with an arrival number: sorting compares only the value, so the numbers show stability.
struct Item
{
    int value;
    int arrival;
};

struct ByValue
{
    bool operator()(const Item& a, const Item& b) const { return a.value < b.value; }
};

QVector<Item> randomItems(int n, int distinct, quint32 seed)
{
    QRandomGenerator rng(seed);
    QVector<Item> items;
    for (int i = 0; i < n; ++i)
        items.append({ int(rng.bounded(distinct)), i });
    return items;
}

template<typename Container>
void verifySortedAndStable(const Container& items)
{
    for (int i = 1; i < int(items.size()); ++i) {
        const Item& a = items[i - 1];
        const Item& b = items[i];
        QVERIFY(a.value < b.value || (a.value == b.value && a.arrival < b.arrival));
    }
}

// Notes every thread a comparison ran on.
struct ThreadsSeen
{
    std::mutex* mutex;
    QSet<Qt::HANDLE>* threads;
    bool operator()(const Item& a, const Item& b) const
    {
        std::lock_guard<std::mutex> lock(*mutex);
        threads->insert(QThread::currentThreadId());
        return a.value < b.value;
    }
};

} // namespace

class tst_ConcurrentSort : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sortsStablyInBothSchemes_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("distinct");
        QTest::newRow("empty") << 0 << 1;
        QTest::newRow("one") << 1 << 1;
        QTest::newRow("511, many ties") << 511 << 5;
        QTest::newRow("512, many ties") << 512 << 5;
        QTest::newRow("513 distinct") << 513 << 100000;
        QTest::newRow("100000, ties across part boundaries") << 100000 << 7;
    }
    void sortsStablyInBothSchemes()
    {
        QFETCH(int, n);
        QFETCH(int, distinct);
        QVector<Item> vector = randomItems(n, distinct, 42);
        ConcurrentSort::sort(vector.begin(), vector.end(), ByValue());
        verifySortedAndStable(vector);

        PartitionList<Item> list;
        for (const Item& i : randomItems(n, distinct, 42))
            list.append(i);
        ConcurrentSort::sort(list.begin(), list.end(), ByValue());
        QCOMPARE(list.count(), n);
        std::vector<Item> back(list.begin(), list.end());
        verifySortedAndStable(back);
    }

    void smallRangesStayOnTheCallingThread()
    {
        std::mutex mutex;
        QSet<Qt::HANDLE> threads;
        QVector<Item> small = randomItems(511, 50, 1);
        ConcurrentSort::sort(small.begin(), small.end(), ThreadsSeen { &mutex, &threads });
        QCOMPARE(threads, QSet<Qt::HANDLE> { QThread::currentThreadId() });

        threads.clear();
        QVector<Item> large = randomItems(200000, 50, 1);
        ConcurrentSort::sort(large.begin(), large.end(), ThreadsSeen { &mutex, &threads });
        if (ParallelMap::workerCount() > 0)
            QVERIFY(threads.size() > 1);
        verifySortedAndStable(large);
    }

    // Every item runs once, whoever calls: several threads at once, and tasks that themselves map in parallel,
    // never wait on one another for work nobody runs.
    void poolRunsEveryItemOnceForConcurrentAndNestedCallers()
    {
        constexpr int Callers = 4;
        constexpr int Outer = 16;
        constexpr int Inner = 200;
        std::vector<std::atomic<int>> runs(Callers * Outer * Inner);
        std::vector<std::thread> callers;
        for (int c = 0; c < Callers; ++c) {
            callers.emplace_back([&runs, c] {
                ParallelMap::forEachIndex(Outer, [&runs, c](int o) {
                    QVector<int> inner(Inner);
                    std::iota(inner.begin(), inner.end(), (c * Outer + o) * Inner);
                    ParallelMap::blockingMap(inner, [&runs](int& i) { ++runs[size_t(i)]; });
                });
            });
        }
        for (std::thread& t : callers)
            t.join();
        QVERIFY(std::all_of(runs.begin(), runs.end(), [](const std::atomic<int>& r) { return r.load() == 1; }));
    }

    void recordHandlesSortByIdentity()
    {
        // The not-found list of a batch is sorted by handle, then searched by handle.
        QScopedPointer<Table> table(makeOrderTable());
        QList<Record> records;
        for (int i = 0; i < 3000; ++i)
            records << makeOrder(table.data(), i);
        std::shuffle(records.begin(), records.end(), std::mt19937(3));
        ConcurrentSort::sort(records.begin(), records.end(), std::less<Record>());
        QVERIFY(std::is_sorted(records.begin(), records.end(), std::less<Record>()));
        QVERIFY(std::binary_search(records.begin(), records.end(), records.at(1234), std::less<Record>()));
        QCOMPARE(QSet<Record>(records.begin(), records.end()).size(), 3000);
    }
};

QTEST_MAIN(tst_ConcurrentSort)
#include "tst_concurrentsort.moc"
