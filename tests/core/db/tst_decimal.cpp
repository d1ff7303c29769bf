#include "core/db/decimal.h"
#include "core/db/xdecimal.h"

#include <QRandomGenerator>
#include <QtTest>

class tst_Decimal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void parsesAndPrintsKeepingScale_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("mantissa");
        QTest::addColumn<int>("scale");
        QTest::addColumn<QString>("printed");
        QTest::newRow("integer") << "125" << qint64(125) << 0 << "125";
        QTest::newRow("trailing zeros kept") << "12.50" << qint64(1250) << 2 << "12.50";
        QTest::newRow("negative fraction") << "-0.05" << qint64(-5) << 2 << "-0.05";
        QTest::newRow("comma point") << "3,25" << qint64(325) << 2 << "3.25";
        QTest::newRow("plus sign, blanks") << "  +7.1 " << qint64(71) << 1 << "7.1";
        QTest::newRow("beyond 18 decimals rounds")
            << "0.0000000000000000015" << qint64(2) << 18 << "0.000000000000000002";
    }
    void parsesAndPrintsKeepingScale()
    {
        QFETCH(QString, text);
        bool ok = false;
        const decimal d = decimal::fromString(text, &ok);
        QVERIFY(ok);
        QTEST(d.mantissa(), "mantissa");
        QTEST(d.scale(), "scale");
        QTEST(d.toString(), "printed");
    }

    void refusesGarbageAndOverflow()
    {
        for (const char* bad : { "", "-", "1.2.3", "12a", "99999999999999999999" }) {
            bool ok = true;
            const decimal d = decimal::fromString(QString::fromLatin1(bad), &ok);
            QVERIFY2(!ok, bad);
            QVERIFY(d.isEmpty());
        }
    }

    void arithmeticIsExact()
    {
        const decimal a = decimal::fromString("0.1");
        const decimal b = decimal::fromString("0.20");
        QCOMPARE((a + b).toString(), QStringLiteral("0.30"));
        QCOMPARE((a - b).toString(), QStringLiteral("-0.10"));
        QCOMPARE((a * b).toString(), QStringLiteral("0.020"));
        decimal sum = decimal::zero();
        for (int i = 0; i < 10; ++i)
            sum += a;
        QCOMPARE(sum, decimal(1, 0));
        QCOMPARE(sum.toString(), QStringLiteral("1.0"));
        QCOMPARE((-a).toString(), QStringLiteral("-0.1"));
    }

    void multiplicationBeyondEighteenDecimalsRounds()
    {
        const decimal a = decimal::fromString("0.000000001"); // 9 decimals
        const decimal b = decimal::fromString("0.0000000005"); // 10 decimals
        QCOMPARE((a * b).scale(), decimal::MaxScale);
        QCOMPARE((a * b).toString(), QStringLiteral("0.000000000000000001"));
    }

    void overflowThrowsAndLeavesOperandsAlone()
    {
        const decimal big = decimal::maximum();
        QVERIFY_EXCEPTION_THROWN(big + decimal(1, 0), QString);
        QVERIFY_EXCEPTION_THROWN(big * decimal(2, 0), QString);
        QVERIFY_EXCEPTION_THROWN(decimal(1, 0).withScale(19), QString);
        QCOMPARE(big, decimal::maximum());
    }

    void comparesAcrossScales()
    {
        QCOMPARE(decimal::fromString("1.50").compare(decimal::fromString("1.5")), 0);
        QVERIFY(decimal::fromString("1.49") < decimal::fromString("1.5"));
        QVERIFY(decimal::fromString("-2") < decimal::fromString("-1.999"));
        // A value too large to rescale still orders correctly.
        QVERIFY(decimal::maximum() > decimal::fromString("0.000000000000000001"));
        QVERIFY(decimal(-9000000000000000000LL, 0) < decimal::fromString("-0.1"));
        // Small and huge mantissas at every pair of scales order as their exact 128-bit alignment does.
        QRandomGenerator rng(11);
        for (int i = 0; i < 20000; ++i) {
            auto mantissa = [&] {
                const qint64 magnitude = i % 3 == 0 ? qint64(rng.generate64() >> 1) : qint64(rng.bounded(2000000));
                return rng.bounded(2) ? -magnitude : magnitude;
            };
            const qint64 a = mantissa();
            const qint64 b = i % 7 == 0 ? a : mantissa();
            const int sa = int(rng.bounded(19));
            const int sb = int(rng.bounded(19));
            if (decimal(a, sa).compare(decimal(b, sb)) != xdecimal(a, sa).compare(xdecimal(b, sb)))
                QFAIL(qPrintable(QStringLiteral("%1e-%2 against %3e-%4").arg(a).arg(sa).arg(b).arg(sb)));
        }
    }

    void emptyValueSortsFirstAndPropagates()
    {
        const decimal empty = decimal::minimum();
        QVERIFY(empty.isEmpty());
        QVERIFY(empty < decimal(-1000, 0));
        QCOMPARE(empty.compare(decimal::minimum()), 0);
        QVERIFY((empty + decimal(1, 0)).isEmpty());
        QCOMPARE(empty.toString(), QString());
        QVERIFY(!decimal::zero().isEmpty());
    }

    void setScaleRoundsHalfAwayFromZero()
    {
        QCOMPARE(decimal::fromString("2.345").withScale(2).toString(), QStringLiteral("2.35"));
        QCOMPARE(decimal::fromString("-2.345").withScale(2).toString(), QStringLiteral("-2.35"));
        QCOMPARE(decimal::fromString("2.344").withScale(2).toString(), QStringLiteral("2.34"));
        QCOMPARE(decimal::fromString("2.3").withScale(4).toString(), QStringLiteral("2.3000"));
        decimal d = decimal::fromString("7.777");
        d.setScale(1);
        QCOMPARE(d.toString(), QStringLiteral("7.8"));
    }

    void fromDoubleRounds()
    {
        QCOMPARE(decimal::fromDouble(101.125, 2).toString(), QStringLiteral("101.13"));
        QCOMPARE(decimal::fromDouble(0.1, 3).toString(), QStringLiteral("0.100"));
        QCOMPARE(decimal::fromDouble(-3.5, 0).toString(), QStringLiteral("-4"));
        QCOMPARE(decimal::fromDouble(0.1).toString(), QStringLiteral("0.1"));
        QVERIFY(decimal::fromDouble(qQNaN(), 2).isEmpty());
        QVERIFY_EXCEPTION_THROWN(decimal::fromDouble(1e30, 2), QString);
        QCOMPARE(decimal::fromString("12.345").toDouble(), 12.345);
    }

    void systemStringUsesTheLocalePoint()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        const decimal d = decimal::fromString("-1234.56");
        QCOMPARE(d.toSystemString(), QStringLiteral("-1234,56"));
        QCOMPARE(d.toString(), QStringLiteral("-1234.56"));
        // Text typed in a comma locale reads back.
        QCOMPARE(decimal::fromString(d.toSystemString()), d);
    }

    void travelsInVariants()
    {
        const decimal d = decimal::fromString("42.10");
        const QVariant v = QVariant::fromValue(d);
        QCOMPARE(v.userType(), qMetaTypeId<decimal>());
        QCOMPARE(v.toString(), QStringLiteral("42.10"));
        QCOMPARE(v.toDouble(), 42.1);
        QCOMPARE(QVariant(QStringLiteral("3.5")).value<decimal>(), decimal(35, 1));
        QVariant fromDouble(2.25);
        QVERIFY(fromDouble.convert(qMetaTypeId<decimal>()));
        QCOMPARE(fromDouble.value<decimal>().toString(), QStringLiteral("2.25"));
        QCOMPARE(decimal::fromVariant(QVariant(7)), decimal(7, 0));
        bool ok = true;
        decimal::fromVariant(QVariant(QStringLiteral("x")), &ok);
        QVERIFY(!ok);
        QVERIFY(v == QVariant::fromValue(decimal::fromString("42.1")));
    }

    void survivesADataStreamInsideAVariant()
    {
        QByteArray bytes;
        {
            QDataStream out(&bytes, QIODevice::WriteOnly);
            out << QVariant::fromValue(decimal::fromString("-7.250")) << QVariant::fromValue(xdecimal::maximum());
        }
        QDataStream in(bytes);
        QVariant a;
        QVariant b;
        in >> a >> b;
        QCOMPARE(a.value<decimal>().toString(), QStringLiteral("-7.250"));
        QCOMPARE(b.value<xdecimal>(), xdecimal::maximum());
    }

    void equalValuesHashAlike() { QCOMPARE(qHash(decimal::fromString("1.50")), qHash(decimal::fromString("1.5"))); }

    void xdecimalSumsBeyondSixtyFourBits()
    {
        xdecimal sum = xdecimal::zero();
        const decimal big = decimal::maximum();
        for (int i = 0; i < 4; ++i)
            sum += big;
        QCOMPARE(sum.toString(), QStringLiteral("36893488147419103228"));
        // Digits on both sides of 64 bits, the point among either.
        QCOMPARE((sum * xdecimal(decimal(1, 1))).toString(), QStringLiteral("3689348814741910322.8"));
        const xdecimal twoTo64 = xdecimal(big) + xdecimal(big) + xdecimal(decimal(2, 0));
        QCOMPARE((twoTo64 * xdecimal(decimal(1, 2))).toString(), QStringLiteral("184467440737095516.16"));
        QCOMPARE((xdecimal(decimal(1, 0)) - twoTo64).toString(), QStringLiteral("-18446744073709551615"));
        QVERIFY_EXCEPTION_THROWN(sum.toDecimal(), QString);
        QCOMPARE((sum - xdecimal(big) * xdecimal(decimal(3, 0))).toDecimal(), big);
        QCOMPARE(xdecimal(decimal::fromString("1.25")).toString(), QStringLiteral("1.25"));
        QVERIFY(xdecimal(decimal::minimum()).isEmpty());
        QCOMPARE(QVariant::fromValue(sum).toString(), sum.toString());
    }
};

QTEST_GUILESS_MAIN(tst_Decimal)
#include "tst_decimal.moc"
