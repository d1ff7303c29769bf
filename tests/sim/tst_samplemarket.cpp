#include "core/db/masterindex.h"
#include "core/host/schema/hostschema.h"
#include "marketfixture.h"
#include "recordfields.h"

#include <QtTest>

class tst_SampleMarket : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sameSeedSameMarket()
    {
        SampleMarketOptions o = SampleMarketOptions::tiny(7);
        o.orders = 500;
        QMap<QString, QStringList> first;
        {
            MarketFixture a(o);
            for (const QString& name : a.core.tables()->names())
                first.insert(name, tableRows(a.table(name)));
        }
        MarketFixture b(o);
        QCOMPARE(b.core.tables()->names().size(), HostSchema::all().size());
        for (const QString& name : b.core.tables()->names())
            QVERIFY2(tableRows(b.table(name)) == first.value(name), qPrintable(name));
        o.seed = 8;
        MarketFixture c(o);
        QVERIFY(tableRows(c.table(QStringLiteral("orders"))) != first.value(QStringLiteral("orders")));
    }

    void instrumentsHaveFuturesOptionsAndMirrors()
    {
        const SampleMarketOptions o = SampleMarketOptions::tiny();
        const SampleMarket market(o);
        const int perFuture = 2 * (2 * o.strikesPerSide + 1);
        const int futures = o.underlyings * o.expiries;
        QCOMPARE(market.instruments().size(), futures + o.underlyings + futures * perFuture);
        for (const SampleInstrument& i : market.instruments()) {
            QVERIFY(i.minPrice < i.maxPrice);
            QVERIFY(i.settle >= i.minPrice && i.settle <= i.maxPrice);
            if (i.sectype == 'O') {
                QCOMPARE(i.key.board, SampleMarket::OptionsBoard);
                QCOMPARE(i.future.board, SampleMarket::FuturesBoard);
            }
        }
        const SampleMarket sized(SampleMarketOptions::sized(100000, 10));
        QVERIFY(sized.instruments().size() >= 100000);
    }

    void ordersArePricedOnTheStepInsideLimits()
    {
        SampleMarketOptions o = SampleMarketOptions::tiny(11);
        o.orders = 2000;
        MarketFixture m(o);
        QHash<SecurityKey, SampleInstrument> byKey;
        for (const SampleInstrument& i : m.market.instruments())
            byKey.insert(i.key, i);
        const Table* orders = m.table(QStringLiteral("orders"));
        QCOMPARE(orders->count(), 2000);
        int active = 0;
        for (const Record& r : *orders->masterIndex()) {
            const SampleInstrument i = byKey.value(SecurityKey { r.data(QStringLiteral("stock_id")).toInteger(),
                r.data(QStringLiteral("board_id")).toInteger(), r.data(QStringLiteral("sec_id")).toInteger64() });
            QVERIFY(i.key.isValid());
            const decimal price = r.data(QStringLiteral("price")).toDecimal();
            QVERIFY(price >= i.minPrice && price <= i.maxPrice);
            const decimal steps = decimal::fromDouble(price.toDouble() / i.step.toDouble(), 6);
            QCOMPARE(steps, steps.withScale(0));
            const qint64 balance = r.data(QStringLiteral("balance")).toInteger64();
            QVERIFY(balance >= 0 && balance <= r.data(QStringLiteral("quantity")).toInteger64());
            const int status = r.data(QStringLiteral("status")).toInteger();
            QCOMPARE(balance == 0, status == HostSchema::StatusFilled);
            active += status == HostSchema::StatusActive;
        }
        QVERIFY(active > 0);
    }

    void reloadMarksNamesWithTheEdition()
    {
        MarketFixture m;
        Table* boards = m.table(QStringLiteral("boards"));
        m.market.reload(boards, 4);
        QCOMPARE(boards->count(), 8);
        QCOMPARE(Record(boards, QStringLiteral("1,1")).data(QStringLiteral("board_name")).toString(),
            QStringLiteral("Фьючерсы #4"));
        m.market.reload(boards, 0);
        QCOMPARE(Record(boards, QStringLiteral("1,1")).data(QStringLiteral("board_name")).toString(),
            QStringLiteral("Фьючерсы"));
    }
};

QTEST_MAIN(tst_SampleMarket)
#include "tst_samplemarket.moc"
