#include "sim/holding.h"

#include <QtTest>

// Positions worked by hand: average prices to 4 decimals, margins to the kopeck.
class tst_Holding : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void averagesItsFillsAndRevaluesAtTheSettlementPrice()
    {
        Holding h;
        h.addFill(true, 3, decimal::fromString(QStringLiteral("78.45")));
        h.addFill(true, 1, decimal::fromString(QStringLiteral("78.50")));
        QCOMPARE(h.position(), 4);
        // (3 × 78.45 + 78.50) / 4 = 78.4625
        QCOMPARE(h.averagePrice.toString(), QStringLiteral("78.4625"));
        // 4 × (78.70 − 78.4625) × 10 = 9.50
        QCOMPARE(h.margin(decimal::fromString(QStringLiteral("78.70")), 10).toString(), QStringLiteral("9.50"));

        // Selling part of it keeps the average; selling more than is held opens a short at the fill's price.
        h.addFill(false, 1, decimal::fromString(QStringLiteral("79")));
        QCOMPARE(h.averagePrice.toString(), QStringLiteral("78.4625"));
        h.addFill(false, 5, decimal::fromString(QStringLiteral("79.10")));
        QCOMPARE(h.position(), -2);
        QCOMPARE(h.averagePrice.toString(), QStringLiteral("79.1000"));
        // A short gains when the price falls: −2 × (78.90 − 79.10) × 10 = 4.00
        QCOMPARE(h.margin(decimal::fromString(QStringLiteral("78.90")), 10).toString(), QStringLiteral("4.00"));
        // Closing it leaves nothing to revalue.
        h.addFill(true, 2, decimal::fromString(QStringLiteral("78")));
        QCOMPARE(h.position(), 0);
        QVERIFY(h.averagePrice.isEmpty());
        QCOMPARE(h.margin(decimal::fromString(QStringLiteral("80")), 10).toString(), QStringLiteral("0.00"));
    }

    void averagesRoundToFourDecimals()
    {
        Holding h;
        h.addFill(true, 1, decimal::fromString(QStringLiteral("1")));
        h.addFill(true, 2, decimal::fromString(QStringLiteral("2")));
        QCOMPARE(h.averagePrice.toString(), QStringLiteral("1.6667")); // 5 / 3
    }
};

QTEST_GUILESS_MAIN(tst_Holding)
#include "tst_holding.moc"
