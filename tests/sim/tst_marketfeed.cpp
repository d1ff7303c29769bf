#include "core/db/masterindex.h"
#include "core/host/directories/sessiondirectory.h"
#include "core/host/schema/hostschema.h"
#include "core/host/signalhub.h"
#include "marketfixture.h"
#include "models/tableindexmodel.h"
#include "recordfields.h"
#include "sim/marketfeed.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

namespace {

// A table's records without their clock-dependent times, one line each.
QString content(const Table* table)
{
    const int moment = table->columnIndex(QStringLiteral("moment"));
    const int changed = table->columnIndex(QStringLiteral("change_time"));
    QStringList lines;
    for (const Record& r : *table->masterIndex()) {
        QStringList fields;
        for (int c = 0; c < table->columnCount(); ++c) {
            if (c != moment && c != changed)
                fields << r.data(c).toString();
        }
        lines << fields.join(QLatin1Char(','));
    }
    return lines.join(QLatin1Char('\n'));
}

SampleMarketOptions smallMarket()
{
    return SampleMarketOptions::sized(200, 2000, 5);
}

} // namespace

class tst_MarketFeed : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ordersDealsAndPositionsStayConsistent()
    {
        // Given a market moved by many batches of every kind of change.
        MarketFixture market(smallMarket());
        MarketFeed feed(market.market, &market.core, 11);
        const int ordersBefore = market.table("orders")->count();
        for (int batch = 0; batch < 20; ++batch)
            feed.step(300);
        QVERIFY(market.table("orders")->count() > ordersBefore);

        // Then every order's traded lots are its deals, and a filled order has nothing left.
        QHash<qint64, qint64> dealt;
        QHash<QString, QPair<qint64, qint64>> boughtSold; // by account and instrument
        for (const Record& d : *market.table("deals")->masterIndex()) {
            dealt[number(d, "order_num")] += number(d, "quantity");
            auto& bs = boughtSold[text(d, "account") + text(d, "stock_id") + text(d, "board_id") + text(d, "sec_id")];
            (text(d, "buysell") == QLatin1String("B") ? bs.first : bs.second) += number(d, "quantity");
        }
        int filled = 0;
        int cancelled = 0;
        for (const Record& o : *market.table("orders")->masterIndex()) {
            QCOMPARE(number(o, "quantity") - number(o, "balance"), dealt.value(number(o, "order_num")));
            QVERIFY(number(o, "balance") >= 0);
            if (number(o, "balance") == 0)
                QCOMPARE(number(o, "status"), qint64(HostSchema::StatusFilled));
            filled += number(o, "status") == HostSchema::StatusFilled;
            cancelled += number(o, "status") == HostSchema::StatusCancelled;
        }
        QVERIFY(filled > 0 && cancelled > 0);

        // And every position sums its account's deals in the instrument.
        for (const Record& p : *market.table("positions")->masterIndex()) {
            const auto bs
                = boughtSold.value(text(p, "account") + text(p, "stock_id") + text(p, "board_id") + text(p, "sec_id"));
            QCOMPARE(number(p, "buy_qty"), bs.first);
            QCOMPARE(number(p, "sell_qty"), bs.second);
            QCOMPARE(number(p, "pos"), number(p, "open_pos") + bs.first - bs.second);
        }
    }

    void pricesMoveWithinLimitsWithDirectionAndTime()
    {
        MarketFixture market(smallMarket());
        MarketFeed feed(market.market, &market.core, 3);
        feed.step(2000);
        int moved = 0;
        for (const Record& s : *market.table("securities")->masterIndex()) {
            if (s.data(QStringLiteral("volume")).toInteger64() == 0)
                continue; // not traded since the opening
            ++moved;
            const decimal last = s.data(QStringLiteral("last")).toDecimal();
            QVERIFY(last >= s.data(QStringLiteral("min_price")).toDecimal());
            QVERIFY(last <= s.data(QStringLiteral("max_price")).toDecimal());
            QVERIFY(s.data(QStringLiteral("bid")).toDecimal() < s.data(QStringLiteral("offer")).toDecimal());
            QVERIFY(!s.data(QStringLiteral("change_time")).isNull());
            QVERIFY(s.data(QStringLiteral("price_dir")).toInteger() >= HostSchema::PriceUnchanged);
        }
        QVERIFY(moved > 50);
    }

    void theSameSeedMakesTheSameMarket()
    {
        MarketFixture first(smallMarket());
        MarketFixture second(smallMarket());
        MarketFeed a(first.market, &first.core, 42);
        for (int batch = 0; batch < 5; ++batch)
            a.step(400);
        MarketFeed b(second.market, &second.core, 42);
        for (int batch = 0; batch < 5; ++batch)
            b.step(400);
        for (const char* table : { "orders", "deals", "positions", "securities" })
            QVERIFY2(content(first.table(table)) == content(second.table(table)), table);

        MarketFixture third(smallMarket());
        MarketFeed c(third.market, &third.core, 43);
        c.step(400);
        QVERIFY(content(first.table("orders")) != content(third.table("orders")));
    }

    void runsAtItsRateOnATimer()
    {
        MarketFixture market(smallMarket());
        MarketFeed feed(market.market, &market.core, 1);
        QSignalSpy batches(&feed, &MarketFeed::batchApplied);
        QVERIFY(batches.isValid());
        feed.setRate(4000);
        feed.start();
        // The timer delivers batch after batch, each of 4000 changes a second times 50 ms.
        for (int batch = 0; batch < 3; ++batch)
            QVERIFY(batches.wait(10000));
        feed.stop();
        QVERIFY(!feed.isRunning());
        QCOMPARE(feed.batches(), qint64(batches.count()));
        qint64 changes = 0;
        for (const QList<QVariant>& b : batches) {
            QVERIFY(b.at(0).toInt() >= 200 && b.at(0).toInt() < 220); // an action may stage a few changes at once
            changes += b.at(0).toInt();
        }
        QCOMPARE(feed.changes(), changes);
        // Stopped, it sends nothing more, however long the event loop runs.
        const int after = batches.count();
        QTest::qWait(150);
        QCOMPARE(batches.count(), after);
    }

    void aNewSessionAndANewDay()
    {
        MarketFixture market(smallMarket());
        MarketFeed feed(market.market, &market.core, 1);
        const int current = market.market.currentSession();
        QSignalSpy sessions(market.core.decoder(), &EmbeddedDecoder::aNewSessions);
        QSignalSpy days(market.core.signalHub(), &SignalHub::aNewDay);
        QVERIFY(sessions.isValid() && days.isValid());

        feed.startNewSession();
        QCOMPARE(SessionDirectory::i()->getMaxSessId(1), current + 1);
        QVERIFY(SessionDirectory::i()->isActiveSessId(1, current + 1));
        QVERIFY(!SessionDirectory::i()->isActiveSessId(1, current));
        QCOMPARE(sessions.count(), 1);
        const qint64 firstNew = market.table("orders")->count();
        feed.step(400);
        int placed = 0;
        for (int row = int(firstNew); row < market.table("orders")->count(); ++row) {
            const Record o = market.table("orders")->masterIndex()->at(row);
            QCOMPARE(number(o, "sess_id"), qint64(current + 1));
            ++placed;
        }
        QVERIFY(placed > 0);

        feed.startNewDay();
        QCOMPARE(days.count(), 1);
        QCOMPARE(SessionDirectory::i()->getMaxSessId(1), current + 2);
    }

    void aLiveModelFollowsTheFeed()
    {
        // Given the orders sorted by price in a live model (a small market: the tester checks every cell of
        // every change).
        MarketFixture market(SampleMarketOptions::sized(60, 400, 5));
        Table* orders = market.table("orders");
        TableIndexModel model(orders);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        const int price = orders->columnIndex(QStringLiteral("price"));
        model.setSort(price, Qt::AscendingOrder);
        model.rebuild();
        MarketFeed feed(market.market, &market.core, 9);

        // When the market moves, then the model shows every order, ordered by price.
        for (int batch = 0; batch < 8; ++batch) {
            feed.step(200);
            QCOMPARE(model.rowCount(), orders->count());
            for (int row = 1; row < model.rowCount(); ++row) {
                const Record a = model.recordByIndex(model.index(row - 1, 0));
                const Record b = model.recordByIndex(model.index(row, 0));
                QVERIFY(a.data(price).compare(b.data(price)) <= 0);
            }
        }
    }
};

QTEST_MAIN(tst_MarketFeed)
#include "tst_marketfeed.moc"
