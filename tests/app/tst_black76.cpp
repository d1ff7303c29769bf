#include "instruments/black76.h"
#include "instruments/volatilitywindow.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>

class tst_Black76 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pricesMatchValuesWorkedByHand_data()
    {
        QTest::addColumn<bool>("call");
        QTest::addColumn<double>("forward");
        QTest::addColumn<double>("strike");
        QTest::addColumn<double>("years");
        QTest::addColumn<double>("volatility");
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("expected");
        // d1 = (ln(F/K) + s*s*T/2) / (s*sqrt(T)), d2 = d1 - s*sqrt(T), N() read to seven places.
        // d1 = 0.1, d2 = -0.1: 100 * (0.5398278 - 0.4601722)
        QTest::newRow("call at the money") << true << 100.0 << 100.0 << 1.0 << 0.2 << 0.0 << 7.96556;
        // d1 = -0.343230, d2 = -0.555363: 100 * 0.3657125 - 110 * 0.2893234
        QTest::newRow("call out of the money") << true << 100.0 << 110.0 << 0.5 << 0.3 << 0.0 << 4.74568;
        // The same strike's put by parity: the call + (K - F).
        QTest::newRow("put in the money") << false << 100.0 << 110.0 << 0.5 << 0.3 << 0.0 << 14.74568;
        // d1 = 1.521072, d2 = 1.396072: exp(-0.0125) * (120 * 0.9358792 - 100 * 0.9186537)
        QTest::newRow("discounted call in the money") << true << 120.0 << 100.0 << 0.25 << 0.25 << 0.05 << 20.18622;
    }
    void pricesMatchValuesWorkedByHand()
    {
        QFETCH(bool, call);
        QFETCH(double, forward);
        QFETCH(double, strike);
        QFETCH(double, years);
        QFETCH(double, volatility);
        QFETCH(double, rate);
        QFETCH(double, expected);
        const Black76::Type type = call ? Black76::Type::Call : Black76::Type::Put;
        QVERIFY2(qAbs(Black76::price(type, forward, strike, years, volatility, rate) - expected) < 1e-4,
            qPrintable(QString::number(Black76::price(type, forward, strike, years, volatility, rate), 'f', 8)));
        QVERIFY(qAbs(Black76::impliedVolatility(type, expected, forward, strike, years, rate) - volatility) < 1e-5);
    }

    void impliedVolatilityRepricesWithinAMillionth()
    {
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator rng(seed);
        int checked = 0;
        for (int i = 0; i < 5000; ++i) {
            const Black76::Type type = rng.bounded(2) ? Black76::Type::Call : Black76::Type::Put;
            const double forward = 1 + rng.generateDouble() * 200000;
            const double strike = forward * std::exp(rng.generateDouble() - 0.5);
            const double years = 1.0 / 365 + rng.generateDouble() * 2;
            const double volatility = 0.05 + rng.generateDouble() * 1.45;
            const double premium = Black76::price(type, forward, strike, years, volatility);
            const double intrinsic = std::max(0.0, type == Black76::Type::Call ? forward - strike : strike - forward);
            // A premium no different from the value at no volatility tells no volatility.
            if (premium - intrinsic < 1e-9 * forward)
                continue;
            const double implied = Black76::impliedVolatility(type, premium, forward, strike, years);
            const double repriced = Black76::price(type, forward, strike, years, implied);
            QVERIFY2(qAbs(repriced - premium) <= 1e-6,
                qPrintable(QStringLiteral("seed %1, case %2: %3 repriced as %4 at %5")
                               .arg(seed)
                               .arg(i)
                               .arg(premium, 0, 'g', 17)
                               .arg(repriced, 0, 'g', 17)
                               .arg(implied)));
            ++checked;
        }
        QVERIFY(checked > 4000);
    }

    // Worked by hand: a date-only expiry lasts out its day, times compare as the clocks read whatever their zones.
    void timeToExpiryCountsTheExpiryDay_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("expiry");
        QTest::addColumn<double>("days");
        const QDate day(2026, 12, 15);
        QTest::newRow("noon of the expiry day") << QDateTime(day, QTime(12, 0)) << QDateTime(day, QTime(0, 0)) << 0.5;
        QTest::newRow("the evening before, expiry at 18:45")
            << QDateTime(day.addDays(-1), QTime(18, 0)) << QDateTime(day, QTime(18, 45), Qt::UTC) << 1.03125;
        QTest::newRow("the day after") << QDateTime(day.addDays(1), QTime(6, 0)) << QDateTime(day, QTime(0, 0), Qt::UTC)
                                       << -0.25;
    }
    void timeToExpiryCountsTheExpiryDay()
    {
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, expiry);
        QFETCH(double, days);
        QCOMPARE(VolatilityWindow::yearsToExpiry(now, expiry) * 365, days);
    }

    void noVolatilityGivesAnImpossiblePremium()
    {
        const auto call = Black76::Type::Call;
        QVERIFY(std::isnan(Black76::impliedVolatility(call, 5, 100, 90, 1))); // below its value of 10 at once
        QVERIFY(std::isnan(Black76::impliedVolatility(call, 100, 100, 90, 1))); // worth no more than the future
        QVERIFY(std::isnan(Black76::impliedVolatility(Black76::Type::Put, 0, 100, 90, 1)));
        QVERIFY(std::isnan(Black76::impliedVolatility(call, 5, 100, 90, 0)));
    }
};

QTEST_APPLESS_MAIN(tst_Black76)
#include "tst_black76.moc"
