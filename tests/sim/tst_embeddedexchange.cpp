#include "core/db/masterindex.h"
#include "core/host/directories/basecontractsparamsdirectory.h"
#include "core/host/schema/hostschema.h"
#include "marketfixture.h"
#include "recordfields.h"
#include "sim/embeddedexchange.h"
#include "sim/marketfeed.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// A market with its exchange; transactions go through the host's sender as the order dialogs send them.
struct Exchange
{
    Exchange()
        : market(SampleMarketOptions::sized(100, 300, 2))
        , exchange(&market.core, market.core.sender())
        , orders(market.table(QStringLiteral("orders")))
        , deals(market.table(QStringLiteral("deals")))
    {
        // A future nobody has orders in, so that the test's orders meet only each other.
        QSet<qint64> traded;
        for (const Record& r : *orders->masterIndex())
            traded << number(r, "sec_id");
        for (const Record& r : *market.table(QStringLiteral("securities"))->masterIndex()) {
            if (number(r, "board_id") == SampleMarket::FuturesBoard && future.isNull()
                && !traded.contains(number(r, "sec_id")))
                future = r;
        }
        Q_ASSERT(!future.isNull());
        account = market.market.clientCodes().first();
    }

    // Builds and queues a transaction, then waits for the exchange to take it; true when it executed.
    bool send(int kind, const Values& values)
    {
        QSignalSpy executed(&exchange, &EmbeddedExchange::executed);
        QSignalSpy rejected(&exchange, &EmbeddedExchange::rejected);
        ITransactionSender* sender = market.core.transactions();
        RawTransactionPtr t = sender->build(sender->description(1, kind), values);
        t->restartTimer();
        if (!sender->queue(t))
            return false;
        const bool taken = QTest::qWaitFor([&] { return executed.count() + rejected.count() > 0; }, 2000);
        return taken && executed.count() == 1;
    }
    Values order(const QString& side, const QString& price, qint64 quantity) const
    {
        return { { QStringLiteral("StockId"), 1 }, { QStringLiteral("BoardId"), SampleMarket::FuturesBoard },
            { QStringLiteral("Security"), text(future, "sec_code") }, { QStringLiteral("Account"), account },
            { QStringLiteral("Price"), price }, { QStringLiteral("Quantity"), quantity },
            { QStringLiteral("BuySell"), side } };
    }
    Record last() const { return orders->masterIndex()->at(orders->count() - 1); }
    QString priceText(double offsetSteps) const
    {
        const decimal step = future.data(QStringLiteral("price_step")).toDecimal();
        const double p = future.data(QStringLiteral("settle_price")).toDouble() + offsetSteps * step.toDouble();
        return decimal::fromDouble(p, future.data(QStringLiteral("decimals")).toInteger()).toString();
    }

    MarketFixture market;
    EmbeddedExchange exchange;
    Table* orders;
    Table* deals;
    Record future;
    QString account;
};

} // namespace

class tst_EmbeddedExchange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The exchange's messages are shown in the terminal, which speaks Russian first.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void aNewOrderRestsAndACrossingOneTrades()
    {
        // Given a resting sell order three steps above the settlement price.
        Exchange x;
        const int dealsBefore = x.deals->count();
        QVERIFY(x.send(EmbeddedExchange::NewOrder, x.order(QStringLiteral("S"), x.priceText(50), 10)));
        const Record resting = x.last();
        QCOMPARE(number(resting, "status"), qint64(HostSchema::StatusActive));
        QCOMPARE(number(resting, "balance"), qint64(10));
        QCOMPARE(x.deals->count(), dealsBefore);

        // When a buyer pays more for 4 lots, then they trade at the resting price.
        QVERIFY(x.send(EmbeddedExchange::NewOrder, x.order(QStringLiteral("B"), x.priceText(60), 4)));
        const Record buyer = x.last();
        QCOMPARE(number(buyer, "status"), qint64(HostSchema::StatusFilled));
        QCOMPARE(number(buyer, "balance"), qint64(0));
        QCOMPARE(number(resting, "balance"), qint64(6));
        QCOMPARE(x.deals->count(), dealsBefore + 2);
        const Record deal = x.deals->masterIndex()->at(x.deals->count() - 1);
        QCOMPARE(text(deal, "price"), resting.data(QStringLiteral("price")).toString());
        QCOMPARE(number(deal, "quantity"), qint64(4));
        // And the instrument's last price is the trade's.
        QCOMPARE(x.future.data(QStringLiteral("last")).toDecimal(), resting.data(QStringLiteral("price")).toDecimal());
    }

    void tradesEnteredWhileTheFeedRunsKeepEveryOrderWhole()
    {
        // Given the feed running fast on its thread while a trader's orders cross the future's book and each other.
        Exchange x;
        MarketFeed feed(x.market.market, &x.market.core, 6);
        x.exchange.setFeed(&feed);
        feed.setInterval(5);
        feed.setRate(40000);
        feed.start();
        QList<QString> entered;
        for (int i = 0; i < 12; ++i) {
            const bool buying = i % 2 == 0;
            QVERIFY(x.send(EmbeddedExchange::NewOrder,
                x.order(buying ? QStringLiteral("B") : QStringLiteral("S"), x.priceText(buying ? 3 : -3), 7)));
            entered << text(x.last(), "order_num");
            QTest::qWait(3);
        }
        QVERIFY(QTest::qWaitFor([&] { return feed.batches() >= 20; }, 20000));
        feed.stop();

        // Then every order entered is there, and every order's traded lots are its deals: the feed's deals, made
        // in its own copy of the tables, never took the numbers of the exchange's.
        for (const QString& number : qAsConst(entered))
            QCOMPARE(text(Record(x.orders, number), "account"), x.account);
        QHash<qint64, qint64> dealt;
        for (const Record& d : *x.deals->masterIndex())
            dealt[number(d, "order_num")] += number(d, "quantity");
        int tradedEntries = 0;
        for (const Record& o : *x.orders->masterIndex()) {
            QCOMPARE(number(o, "quantity") - number(o, "balance"), dealt.value(number(o, "order_num")));
            tradedEntries += entered.contains(text(o, "order_num")) && number(o, "balance") < 7;
        }
        QVERIFY(tradedEntries >= 6);
    }

    void icebergAndClearingOrders()
    {
        Exchange x;
        Values iceberg = x.order(QStringLiteral("B"), x.priceText(-40), 30);
        iceberg[QStringLiteral("iceberg_amount")] = 30;
        iceberg[QStringLiteral("disclose_const_amount")] = 5;
        QVERIFY(x.send(EmbeddedExchange::NewIceberg, iceberg));
        QCOMPARE(number(x.last(), "signs"), qint64(1) << 47);

        Values request = x.order(QStringLiteral("S"), QString(), 3);
        request.remove(QStringLiteral("Price"));
        request[QStringLiteral("BoardId")] = SampleMarket::FuturesBoard;
        QVERIFY(x.send(EmbeddedExchange::ClearingRequest, request));
        QCOMPARE(x.last().data(QStringLiteral("price")).toDecimal(),
            x.future.data(QStringLiteral("settle_price")).toDecimal());
    }

    void anIcebergTakesItsNewPrice()
    {
        Exchange x;
        QVERIFY(x.send(EmbeddedExchange::NewIceberg, x.order(QStringLiteral("S"), x.priceText(40), 20)));
        const Values change { { QStringLiteral("StockId"), 1 },
            { QStringLiteral("BoardId"), SampleMarket::FuturesBoard },
            { QStringLiteral("Security"), text(x.future, "sec_code") }, { QStringLiteral("Account"), x.account },
            { QStringLiteral("OrderId"), number(x.last(), "order_num") }, { QStringLiteral("price1"), x.priceText(41) },
            { QStringLiteral("amount1"), 20 }, { QStringLiteral("Mode"), QStringLiteral("3") } };
        QVERIFY(x.send(EmbeddedExchange::ChangeIceberg, change));
        QCOMPARE(text(x.last(), "price"), decimal::fromString(x.priceText(41)).toString());
    }

    void anOrderThatAsksForTheMoneyCheckMustFitTheAccountsLimit()
    {
        // Given a limit that leaves the margin of two lots free
        Exchange x;
        Record limit = x.market.table(QStringLiteral("money_limits"))->findByKeyText(x.account);
        QVERIFY(!limit.isNull());
        const decimal lot = BaseContractsParamsDirectory::i()
                                ->recordByBaseContractCode(text(x.future, "base_code"))
                                .data(QStringLiteral("initial_margin"))
                                .toDecimal();
        limit.data(QStringLiteral("limit")) = limit.data(QStringLiteral("used")).toDecimal() + lot + lot;
        limit.updated();
        Values checked = x.order(QStringLiteral("B"), x.priceText(-30), 3);
        checked[QStringLiteral("dont_check_money")] = false;

        // Three lots do not fit unless the check is off, and the refusal says what they need and what is free as
        // the trader's language writes amounts; two lots do fit
        QVERIFY(!x.send(EmbeddedExchange::NewOrder, checked));
        const QString refusal = x.market.core.recentNotifications().last();
        const QRegularExpressionMatch amounts = QRegularExpression(
            QStringLiteral("денежного лимита счёта .* нужно (\\d+),(\\d+), свободно (\\d+),(\\d+)$"))
                                                    .match(refusal);
        QVERIFY2(amounts.hasMatch(), qPrintable(refusal));
        QCOMPARE(QStringLiteral("%1.%2").arg(amounts.captured(1), amounts.captured(2)).toDouble(), 3 * lot.toDouble());
        QCOMPARE(QStringLiteral("%1.%2").arg(amounts.captured(3), amounts.captured(4)).toDouble(), 2 * lot.toDouble());
        checked[QStringLiteral("dont_check_money")] = true;
        QVERIFY(x.send(EmbeddedExchange::NewOrder, checked));
        checked[QStringLiteral("dont_check_money")] = false;
        checked[QStringLiteral("Quantity")] = 2;
        QVERIFY(x.send(EmbeddedExchange::NewOrder, checked));
    }

    void refusedTransactionsChangeNothingAndSayWhy_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("parameter");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("reason");
        QTest::newRow("unknown instrument")
            << 10 << "Security" << QVariant("NOPE-1.27") << "инструмент NOPE-1.27 не найден";
        QTest::newRow("price above the limit") << 10 << "Price" << QVariant("99999999") << "вне лимитов";
        QTest::newRow("price that is no number") << 10 << "Price" << QVariant("abc") << "неверная цена \"abc\"";
        QTest::newRow("unknown account") << 10 << "Account" << QVariant("ZZ99999") << "счёт ZZ99999 не найден";
        QTest::newRow("no lots") << 10 << "Quantity" << QVariant(0) << "неверное количество \"0\"";
        QTest::newRow("unknown order") << 13 << "OrderId" << QVariant(1) << "заявка 1 не найдена среди активных";
        QTest::newRow("another account's order") << 13 << "Account" << QVariant("ZZ99999") << "выставлена не со счёта";
        QTest::newRow("account code of a wrong length")
            << 12 << "Account" << QVariant("ABC")
            << "Код брокера (и клиента) должен быть длиной или 4, или 7 символов!";
    }
    void refusedTransactionsChangeNothingAndSayWhy()
    {
        QFETCH(int, kind);
        QFETCH(QString, parameter);
        QFETCH(QVariant, value);
        QFETCH(QString, reason);
        Exchange x;
        Values values;
        if (kind == 10) {
            values = x.order(QStringLiteral("B"), x.priceText(-10), 5);
        } else if (kind == 13) {
            QVERIFY(x.send(EmbeddedExchange::NewOrder, x.order(QStringLiteral("B"), x.priceText(-10), 5)));
            values = { { QStringLiteral("StockId"), 1 }, { QStringLiteral("BoardId"), SampleMarket::FuturesBoard },
                { QStringLiteral("Security"), text(x.future, "sec_code") }, { QStringLiteral("Account"), x.account },
                { QStringLiteral("OrderId"), number(x.last(), "order_num") },
                { QStringLiteral("price1"), x.priceText(-11) }, { QStringLiteral("amount1"), 5 } };
        } else {
            values = { { QStringLiteral("Account"), x.account } };
        }
        values[parameter] = value;
        const QStringList ordersBefore = tableRows(x.orders);
        const QStringList dealsBefore = tableRows(x.deals);
        QSignalSpy notified(&x.market.core, &EmbeddedCore::notified);

        QVERIFY(!x.send(kind, values));
        QCOMPARE(tableRows(x.orders), ordersBefore);
        QCOMPARE(tableRows(x.deals), dealsBefore);
        QCOMPARE(notified.count(), 1);
        const QString message = notified.first().first().toString();
        QVERIFY2(message.contains(reason), qPrintable(message));
        QVERIFY2(!message.contains(QRegularExpression(QStringLiteral("(^|\\s)\\d+\\.\\d"))), qPrintable(message));
        const QString refusal = kind == 10 ? QStringLiteral("Заявка отклонена биржей: ")
            : kind == 13 ? QStringLiteral("Изменение заявки отклонено биржей: ")
                         : QStringLiteral("Снятие заявок отклонено биржей: ");
        QVERIFY2(message.startsWith(refusal), qPrintable(message));
    }
};

QTEST_MAIN(tst_EmbeddedExchange)
#include "tst_embeddedexchange.moc"
