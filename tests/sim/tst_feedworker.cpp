#include "core/db/masterindex.h"
#include "core/db/table.h"
#include "marketfixture.h"
#include "recordfields.h"
#include "sim/marketfeed.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

namespace {

const char* const Traded[] = { "securities", "orders", "deals", "positions" };

} // namespace

class tst_FeedWorker : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theGuiThreadCommitsEveryBatchOnceInOrderWhateverItsStalls()
    {
        // Given the feed making batches of exactly 100 changes asked (20,000 a second, every 5 ms) on its thread,
        // while the GUI thread stalls at random for up to six batches' time.
        const quint32 seed = QRandomGenerator::global()->generate();
        MarketFixture threaded(smallMarket());
        MarketFeed feed(threaded.market, &threaded.core, 9);
        QSignalSpy applied(&feed, &MarketFeed::batchApplied);
        QVERIFY(applied.isValid());
        // The last order after each batch: which batch brought which orders.
        auto lastOrders = [](const Table* orders, QList<qint64>& into) {
            into << number(orders->masterIndex()->at(orders->count() - 1), "order_num");
        };
        QList<qint64> threadedOrders;
        QObject::connect(
            &feed, &MarketFeed::batchApplied, this, [&] { lastOrders(threaded.table("orders"), threadedOrders); });
        QRandomGenerator stalls(seed);
        int deepest = 0;
        QTimer staller;
        staller.setInterval(2);
        QObject::connect(&staller, &QTimer::timeout, this, [&] {
            QThread::msleep(stalls.bounded(30));
            deepest = qMax(deepest, feed.queued());
        });
        feed.setInterval(5);
        feed.setRate(20000);
        feed.start();
        staller.start();
        QVERIFY2(QTest::qWaitFor([&] { return feed.batches() >= 80; }, 60000), qPrintable(QString::number(seed)));
        staller.stop();
        feed.stop();
        const qint64 batches = feed.batches();

        // Then the queue never held more than its bound, and the stalls filled it.
        QVERIFY2(deepest <= MarketFeed::queueCapacity(), qPrintable(QString::number(seed)));
        QVERIFY2(deepest == MarketFeed::queueCapacity(), "the stalls never let the queue fill");
        QCOMPARE(feed.queued(), 0);
        QCOMPARE(applied.count(), int(batches));

        // And a feed of the same seed stepped batch by batch on this thread makes the same batches and tables.
        MarketFixture stepped(smallMarket());
        MarketFeed oracle(stepped.market, &stepped.core, 9);
        QSignalSpy steps(&oracle, &MarketFeed::batchApplied);
        QList<qint64> steppedOrders;
        for (qint64 batch = 0; batch < batches; ++batch) {
            oracle.step(100);
            lastOrders(stepped.table("orders"), steppedOrders);
        }
        for (int batch = 0; batch < batches; ++batch)
            QCOMPARE(applied.at(batch).at(0).toInt(), steps.at(batch).at(0).toInt());
        QCOMPARE(threadedOrders, steppedOrders);
        for (const char* table : Traded)
            QVERIFY2(timelessContent(threaded.table(table)) == timelessContent(stepped.table(table)),
                qPrintable(QStringLiteral("%1 differs; stalls seed %2").arg(QLatin1String(table)).arg(seed)));
    }

    void aStoppedOrHeldFeedMakesNothingAndStepsStayInStep()
    {
        // Given a running feed stopped, then held while stepped and restarted.
        MarketFixture threaded(smallMarket());
        MarketFeed feed(threaded.market, &threaded.core, 4);
        feed.setInterval(5);
        feed.setRate(20000);
        feed.start();
        QVERIFY(QTest::qWaitFor([&] { return feed.batches() >= 5; }, 20000));
        feed.stop();
        const QString stopped = timelessContent(threaded.table("orders"));
        QTest::qWait(40);
        // Then nothing comes while it is stopped, and nothing while it is held.
        QCOMPARE(timelessContent(threaded.table("orders")), stopped);
        qint64 batches = feed.batches();
        feed.start();
        {
            const MarketFeed::Hold held(&feed);
            const qint64 atHold = feed.batches();
            QTest::qWait(40);
            QCOMPARE(feed.batches(), atHold);
            QCOMPARE(feed.queued(), 0);
            feed.step(100); // a step is made among the held batches, in their sequence
        }
        QVERIFY(QTest::qWaitFor([&] { return feed.batches() >= batches + 12; }, 20000));
        feed.stop();
        batches = feed.batches();

        // And the run, its step included, is what the same batches stepped make.
        MarketFixture stepped(smallMarket());
        MarketFeed oracle(stepped.market, &stepped.core, 4);
        for (qint64 batch = 0; batch < batches; ++batch)
            oracle.step(100);
        for (const char* table : Traded)
            QVERIFY2(timelessContent(threaded.table(table)) == timelessContent(stepped.table(table)), table);
    }
};

QTEST_MAIN(tst_FeedWorker)
#include "tst_feedworker.moc"
