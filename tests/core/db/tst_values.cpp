#include "core/db/datetime.h"
#include "core/db/decimal.h"
#include "core/db/fieldtype.h"
#include "core/db/variantutils.h"
#include "core/db/xdecimal.h"
#include "localzone.h"

#include <QtTest>

class tst_Values : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void datetimeKeepsWallClockMilliseconds()
    {
        const QDateTime local(QDate(2026, 3, 16), QTime(10, 0, 0, 125));
        const datetime d = datetime::fromQDateTime(local);
        QCOMPARE(d.toQDateTime().date(), local.date());
        QCOMPARE(d.toQDateTime().time(), local.time());
        QCOMPARE(d.time(), QTime(10, 0, 0, 125));
        QCOMPARE(d.date(), QDate(2026, 3, 16));
        QCOMPARE(d.addMSecs(1).toMSecs() - d.toMSecs(), qint64(1));
        QCOMPARE(d.toString(datetime::timeNoDateFormat()), QStringLiteral("10:00:00.125"));
        QCOMPARE(d.toString(), QStringLiteral("16.03.2026 10:00:00.125"));
    }

    void currentTimeIsTheLocalWallClock()
    {
        // Against the system's own conversion, in a zone five hours east of UTC (the first reading of the time in
        // this process: the clock keeps the zone's offset once read).
        const LocalZone east("<+05>-5");
        const datetime before = datetime::fromQDateTime(QDateTime::currentDateTime());
        const datetime now = datetime::currentDateTime();
        const datetime after = datetime::fromQDateTime(QDateTime::currentDateTime());
        QVERIFY2(!(now < before) && !(after < now), qPrintable(now.toString()));
        QVERIFY(now.toMSecs() - QDateTime::currentMSecsSinceEpoch() > 5 * 3600 * 1000 - 60 * 1000);
    }

    void datetimeParsesTheTerminalsForms_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("russian") << "16.03.2026 10:00:00" << true;
        QTest::newRow("with ms") << "16.03.2026 10:00:00.500" << true;
        QTest::newRow("iso") << "2026-03-16T10:00:00" << true;
        QTest::newRow("date only") << "2026-03-16" << true;
        QTest::newRow("garbage") << "16/03/26" << false;
    }
    void datetimeParsesTheTerminalsForms()
    {
        QFETCH(QString, text);
        bool ok = false;
        const datetime d = datetime::fromString(text, &ok);
        QTEST(ok, "valid");
        if (ok)
            QCOMPARE(d.date(), QDate(2026, 3, 16));
    }

    void datetimeTravelsInVariants()
    {
        const datetime d = datetime::fromQDateTime(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
        const QVariant v = QVariant::fromValue(d);
        QCOMPARE(v.toDateTime(), d.toQDateTime());
        QCOMPARE(QVariant(d.toQDateTime()).value<datetime>(), d);
    }

    void variantCompareOrdersLikeAColumn_data()
    {
        QTest::addColumn<QVariant>("a");
        QTest::addColumn<QVariant>("b");
        QTest::addColumn<int>("sign");
        QTest::newRow("empty before value") << QVariant() << QVariant(0) << -1;
        QTest::newRow("both empty") << QVariant() << QVariant() << 0;
        QTest::newRow("ints") << QVariant(2) << QVariant(10) << -1;
        QTest::newRow("int vs longlong") << QVariant(5) << QVariant(qlonglong(5)) << 0;
        QTest::newRow("decimal vs int") << QVariant::fromValue(decimal::fromString("2.50")) << QVariant(2) << 1;
        QTest::newRow("decimal scales") << QVariant::fromValue(decimal::fromString("1.10"))
                                        << QVariant::fromValue(decimal::fromString("1.1")) << 0;
        QTest::newRow("xdecimal vs decimal")
            << QVariant::fromValue(xdecimal(decimal(-1, 0))) << QVariant::fromValue(decimal(0, 0)) << -1;
        QTest::newRow("empty decimal is empty") << QVariant::fromValue(decimal::minimum()) << QVariant(-5) << -1;
        QTest::newRow("double vs decimal") << QVariant(0.3) << QVariant::fromValue(decimal::fromString("0.25")) << 1;
        QTest::newRow("dates") << QVariant(QDateTime(QDate(2026, 1, 1), QTime(9, 0)))
                               << QVariant(QDateTime(QDate(2026, 1, 1), QTime(10, 0))) << -1;
        QTest::newRow("texts") << QVariant(QStringLiteral("Яблоко")) << QVariant(QStringLiteral("Апельсин")) << 1;
        QTest::newRow("case sensitive") << QVariant(QStringLiteral("abc")) << QVariant(QStringLiteral("ABC")) << 1;
    }
    void variantCompareOrdersLikeAColumn()
    {
        QFETCH(QVariant, a);
        QFETCH(QVariant, b);
        QFETCH(int, sign);
        const int c = variant_compare(a, b, Qt::CaseSensitive);
        QCOMPARE((c > 0) - (c < 0), sign);
        const int back = variant_compare(b, a, Qt::CaseSensitive);
        QCOMPARE((back > 0) - (back < 0), -sign);
    }

    void variantCompareCanIgnoreCase()
    {
        QCOMPARE(variant_compare(QStringLiteral("abc"), QStringLiteral("ABC"), Qt::CaseInsensitive), 0);
    }

    void variantConvertReachesDatabaseTypes()
    {
        QCOMPARE(variant_convert(QStringLiteral("1.5"), qMetaTypeId<decimal>()).value<decimal>(), decimal(15, 1));
        QVERIFY(!variant_convert(QStringLiteral("x"), qMetaTypeId<decimal>()).isValid());
        QCOMPARE(
            variant_convert(QStringLiteral("16.03.2026 10:00:00"), qMetaTypeId<datetime>()).value<datetime>().time(),
            QTime(10, 0));
        QCOMPARE(variant_convert(QVariant::fromValue(decimal(25, 1)), QMetaType::Double).toDouble(), 2.5);
        QCOMPARE(variant_convert(QStringLiteral("12"), QMetaType::Int).toInt(), 12);
        QVERIFY(!variant_convert(QVariant(), QMetaType::Int).isValid());
    }

    void fuzzyCompareHandlesZero()
    {
        QVERIFY(commonFuzzyCompare(0.0, 1e-15));
        QVERIFY(commonFuzzyCompare(0.1 + 0.2, 0.3));
        QVERIFY(!commonFuzzyCompare(1.0, 1.0001));
        QVERIFY(commonFuzzyCompare(1e10, 1e10 + 1e-3));
    }
};

QTEST_GUILESS_MAIN(tst_Values)
#include "tst_values.moc"
