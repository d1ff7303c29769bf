#include "core/db/masterindex.h"
#include "core/db/xdecimal.h"
#include "core/host/directories/sessiondirectory.h"
#include "core/host/schema/hostschema.h"
#include "core/host/signalhub.h"
#include "marketfixture.h"
#include "recordfields.h"
#include "sim/embeddedexchange.h"
#include "sim/marketfeed.h"
#include "sim/tradeledger.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// Every position's margin is its open position revalued at its instrument's settlement price.
void verifyMargins(const MarketFixture& market)
{
    const Table* securities = market.table("securities");
    for (const Record& p : *market.table("positions")->masterIndex()) {
        const Record in(const_cast<Table*>(securities),
            QStringLiteral("%1,%2,%3").arg(text(p, "stock_id"), text(p, "board_id"), text(p, "sec_id")));
        const xdecimal margin = number(p, "pos") == 0 ? xdecimal(decimal(0, 2))
                                                      : (xdecimal(in.data(QStringLiteral("settle_price")).toDecimal())
                                                            - xdecimal(p.data(QStringLiteral("avg_price")).toDecimal()))
                * xdecimal(decimal(number(p, "pos") * number(in, "lotsize"), 0));
        QCOMPARE(p.data(QStringLiteral("vm")).toXDecimal(), margin.withScale(2));
    }
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
        const qint64 lastHistoryOrder
            = number(market.table("orders")->masterIndex()->at(ordersBefore - 1), "order_num");
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
        datetime latestHistory;
        datetime earliestLive;
        for (const Record& o : *market.table("orders")->masterIndex()) {
            // The day's history and the live orders are one trading day, the history first.
            const datetime moment = o.data(QStringLiteral("moment")).toDatetime();
            QCOMPARE(moment.date(), market.market.tradeDate());
            if (number(o, "order_num") <= lastHistoryOrder)
                latestHistory = qMax(latestHistory, moment);
            else if (earliestLive == datetime() || moment < earliestLive)
                earliestLive = moment;
            QCOMPARE(number(o, "quantity") - number(o, "balance"), dealt.value(number(o, "order_num")));
            QVERIFY(number(o, "balance") >= 0);
            if (number(o, "balance") == 0)
                QCOMPARE(number(o, "status"), qint64(HostSchema::StatusFilled));
            filled += number(o, "status") == HostSchema::StatusFilled;
            cancelled += number(o, "status") == HostSchema::StatusCancelled;
        }
        QVERIFY(filled > 0 && cancelled > 0);
        QVERIFY(!(earliestLive < latestHistory));

        // And every position sums its account's deals in the instrument, and its margin is the open position
        // revalued at its instrument's settlement price.
        for (const Record& p : *market.table("positions")->masterIndex()) {
            const auto bs
                = boughtSold.value(text(p, "account") + text(p, "stock_id") + text(p, "board_id") + text(p, "sec_id"));
            QCOMPARE(number(p, "buy_qty"), bs.first);
            QCOMPARE(number(p, "sell_qty"), bs.second);
            QCOMPARE(number(p, "pos"), number(p, "open_pos") + bs.first - bs.second);
        }
        verifyMargins(market);
        // Fees belong to deals that say they have one.
        for (const Record& f : *market.table("fee")->masterIndex())
            QCOMPARE(number(Record(market.table("deals"), text(f, "deal_num")), "fee_flag"), qint64(1));
    }

    // Instruments traded in one batch settle over the next ones when their positions exceed the ledger's budget;
    // no position's margin ever answers a settlement price its instrument does not show.
    void busyInstrumentsSettleOverSeveralBatches()
    {
        MarketFixture market(smallMarket());
        TradeLedger ledger(market.core.tables());
        ledger.setSettlementBudget(1);
        QSet<qint64> traded;
        for (const Record& o : *market.table("orders")->masterIndex()) {
            if (number(o, "status") == HostSchema::StatusActive && !traded.contains(number(o, "sec_id"))) {
                traded.insert(number(o, "sec_id"));
                ledger.fill(o, 1, o.data(QStringLiteral("price")).toDecimal());
            }
            if (traded.size() == 4)
                break;
        }
        QCOMPARE(traded.size(), 4);
        auto settledCount = [&] {
            int settled = 0;
            for (const Record& s : *market.table("securities")->masterIndex()) {
                if (traded.contains(number(s, "sec_id")))
                    settled += s.data(QStringLiteral("settle_price")).toDecimal()
                        == s.data(QStringLiteral("last")).toDecimal();
            }
            return settled;
        };
        int batches = 0;
        do {
            ledger.commit();
            ++batches;
            verifyMargins(market);
            QVERIFY(settledCount() < 4 || !ledger.hasUnsettled());
        } while (ledger.hasUnsettled() && batches < 10);
        QVERIFY(batches > 1);
        QCOMPARE(settledCount(), 4);
    }

    // A trade is a deal at the instrument's last price; the lots traded are the deals' lots; quotes move on their own.
    void tradesMoveTheirInstrumentsAndQuotesMoveOnTheirOwn()
    {
        MarketFixture market(smallMarket());
        QHash<qint64, qint64> volumeBefore;
        for (const Record& s : *market.table("securities")->masterIndex())
            volumeBefore.insert(number(s, "sec_id"), number(s, "volume"));
        const qint64 lastDealBefore
            = number(market.table("deals")->masterIndex()->at(market.table("deals")->count() - 1), "deal_num");
        MarketFeed feed(market.market, &market.core, 3);
        for (int batch = 0; batch < 10; ++batch)
            feed.step(300);

        // The feed's deals, by instrument: lots, and the price of the latest.
        QHash<qint64, QPair<qint64, decimal>> traded;
        for (const Record& d : *market.table("deals")->masterIndex()) {
            if (number(d, "deal_num") <= lastDealBefore)
                continue;
            auto& t = traded[number(d, "sec_id")];
            t.first += number(d, "quantity");
            t.second = d.data(QStringLiteral("price")).toDecimal(); // deals come in number order
        }
        QVERIFY(traded.size() > 20);
        int quotedOnly = 0;
        for (const Record& s : *market.table("securities")->masterIndex()) {
            const qint64 sec = number(s, "sec_id");
            QCOMPARE(number(s, "volume"), volumeBefore.value(sec) + traded.value(sec).first);
            QVERIFY(s.data(QStringLiteral("bid")).toDecimal() < s.data(QStringLiteral("offer")).toDecimal());
            if (traded.contains(sec)) {
                const decimal last = s.data(QStringLiteral("last")).toDecimal();
                QCOMPARE(last, traded.value(sec).second);
                QCOMPARE(s.data(QStringLiteral("settle_price")).toDecimal(), last);
                QVERIFY(last >= s.data(QStringLiteral("min_price")).toDecimal()
                    && last <= s.data(QStringLiteral("max_price")).toDecimal());
                QVERIFY(!s.data(QStringLiteral("change_time")).isNull());
            } else if (!s.data(QStringLiteral("bid_time")).isNull()) {
                ++quotedOnly; // quotes moved with no trade: the last price did not
                QVERIFY(s.data(QStringLiteral("change_time")).isNull());
            }
        }
        QVERIFY(quotedOnly > 0);
    }

    // Whoever trades (the feed, a trader through the exchange, crossing or not), every instrument's highest resting
    // buy stays below its lowest resting sell, and its quotes are those prices.
    void theBookStaysUncrossed()
    {
        MarketFixture market(smallMarket());
        EmbeddedExchange exchange(&market.core, market.core.sender());
        MarketFeed feed(market.market, &market.core, 5);
        QVector<Record> futures;
        for (const Record& s : *market.table("securities")->masterIndex()) {
            if (number(s, "board_id") == SampleMarket::FuturesBoard)
                futures << s;
        }
        QRandomGenerator rng(5);
        for (int batch = 0; batch < 40; ++batch) {
            feed.step(300);
            // A trader's order from a few steps inside its own side to a few steps through the other side.
            const Record in = futures.at(int(rng.bounded(futures.size())));
            const bool buy = rng.bounded(2);
            const double through = (int(rng.bounded(7)) - 3) * in.data(QStringLiteral("price_step")).toDouble();
            const double price = buy ? in.data(QStringLiteral("offer")).toDouble() + through
                                     : in.data(QStringLiteral("bid")).toDouble() - through;
            const Values order { { QStringLiteral("StockId"), 1 },
                { QStringLiteral("BoardId"), number(in, "board_id") },
                { QStringLiteral("Security"), text(in, "sec_code") },
                { QStringLiteral("Account"), market.market.clientCodes().first() },
                { QStringLiteral("Price"), decimal::fromDouble(price, int(number(in, "decimals"))).toString() },
                { QStringLiteral("Quantity"), 1 + int(rng.bounded(80)) },
                { QStringLiteral("BuySell"), buy ? QStringLiteral("B") : QStringLiteral("S") } };
            ITransactionSender* sender = market.core.transactions();
            exchange.execute(*sender->build(sender->description(1, EmbeddedExchange::NewOrder), order));
        }

        QHash<QString, QPair<decimal, decimal>> inside; // by instrument: highest buy, lowest sell
        for (const Record& o : *market.table("orders")->masterIndex()) {
            if (number(o, "status") != HostSchema::StatusActive || number(o, "balance") <= 0)
                continue;
            const QString key
                = text(o, "stock_id") + QLatin1Char(',') + text(o, "board_id") + QLatin1Char(',') + text(o, "sec_id");
            auto it = inside.find(key);
            if (it == inside.end())
                it = inside.insert(key, qMakePair(decimal::minimum(), decimal::minimum()));
            const decimal price = o.data(QStringLiteral("price")).toDecimal();
            if (text(o, "buysell") == QLatin1String("B"))
                it->first = qMax(it->first, price);
            else if (it->second.isEmpty() || price < it->second)
                it->second = price;
        }
        int twoSided = 0;
        for (auto it = inside.constBegin(); it != inside.constEnd(); ++it) {
            if (it->first.isEmpty() || it->second.isEmpty())
                continue;
            ++twoSided;
            QVERIFY2(it->first < it->second,
                qPrintable(it.key() + ": " + it->first.toString() + " >= " + it->second.toString()));
            const Record in(market.table("securities"), it.key());
            QCOMPARE(in.data(QStringLiteral("bid")).toDecimal(), it->first);
            QCOMPARE(in.data(QStringLiteral("offer")).toDecimal(), it->second);
        }
        QVERIFY(twoSided > 20);
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
            QVERIFY2(timelessContent(first.table(table)) == timelessContent(second.table(table)), table);

        MarketFixture third(smallMarket());
        MarketFeed c(third.market, &third.core, 43);
        c.step(400);
        QVERIFY(timelessContent(first.table("orders")) != timelessContent(third.table("orders")));
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
};

QTEST_MAIN(tst_MarketFeed)
#include "tst_marketfeed.moc"
