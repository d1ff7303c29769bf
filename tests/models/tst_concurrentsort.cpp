#include "core/db/partitionlist.h"
#include "core/db/record.h"
#include "models/private/concurrentsort.h"
#include "ordertable.h"

#include <QException>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QThreadPool>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <chrono>
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

    // A failing predicate or comparison reaches the caller as through QtConcurrent, wherever it ran, and only once
    // no item of the call runs any more: the caller's stack, which the items read, is still there.
    void exceptionsReachTheCallerAfterEveryItemEnded_data()
    {
        QTest::addColumn<bool>("onCaller");
        QTest::newRow("thrown on a worker") << false;
        QTest::newRow("thrown on the calling thread") << true;
    }
    void exceptionsReachTheCallerAfterEveryItemEnded()
    {
        QFETCH(bool, onCaller);
        ParallelMap::setThreadCount(2);
        auto restore = qScopeGuard([] { ParallelMap::setThreadCount(0); });
        const std::thread::id caller = std::this_thread::get_id();
        std::atomic<int> running { 0 };
        std::atomic<bool> threw { false };
        bool caught = false;
        try {
            ParallelMap::forEachIndex(64, [&](int) {
                ++running;
                auto leave = qScopeGuard([&] { --running; });
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                if ((std::this_thread::get_id() == caller) == onCaller && !threw.exchange(true))
                    throw QStringLiteral("отказ");
            });
        } catch (const QUnhandledException&) {
            caught = true;
            QCOMPARE(running.load(), 0);
        }
        QVERIFY(caught);

        struct Refused : QException
        {
            void raise() const override { throw *this; }
            Refused* clone() const override { return new Refused(*this); }
        };
        QVector<Item> items = randomItems(5000, 50, 3);
        QVERIFY_EXCEPTION_THROWN(ConcurrentSort::sort(items.begin(), items.end(),
                                     [](const Item& a, const Item& b) -> bool {
                                         if (a.value == 7 && b.value == 8)
                                             throw Refused();
                                         return a.value < b.value;
                                     }),
            Refused);
    }

    // The host decides how many threads parallel work takes: by default as many as Qt's global pool allows.
    void threadsFollowTheHostsLimit()
    {
        auto threadsSeen = [](int wanted) {
            std::mutex mutex;
            QSet<Qt::HANDLE> threads;
            ParallelMap::forEachIndex(64, [&](int) {
                std::unique_lock<std::mutex> lock(mutex);
                threads.insert(QThread::currentThreadId());
                // Each item waits a little for the threads it may meet, so that each can join.
                for (int wait = 0; threads.size() < wanted && wait < 200; ++wait) {
                    lock.unlock();
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                    lock.lock();
                }
            });
            return threads.size();
        };
        QThreadPool* global = QThreadPool::globalInstance();
        const int hostLimit = global->maxThreadCount();
        auto restore = qScopeGuard([&] {
            global->setMaxThreadCount(hostLimit);
            ParallelMap::setThreadCount(0);
        });
        global->setMaxThreadCount(1);
        QCOMPARE(ParallelMap::workerCount(), 0);
        QCOMPARE(threadsSeen(2), 1);
        global->setMaxThreadCount(3);
        QCOMPARE(threadsSeen(3), 3);
        ParallelMap::setThreadCount(2);
        QCOMPARE(threadsSeen(3), 2);
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
