#include "core/db/keyvalue.h"
#include "core/db/record.h"
#include "core/db/table.h"
#include "localzone.h"
#include "ordertable.h"

#include <QtTest>

#include <cstring>

class tst_Field : public QObject
{
    Q_OBJECT

private:
    Table* m_table = nullptr;
    int col(const char* name) const { return m_table->columnIndex(QString::fromLatin1(name)); }

private Q_SLOTS:
    void init() { m_table = makeOrderTable(this); }
    void cleanup()
    {
        delete m_table;
        QLocale::setDefault(QLocale::c());
    }

    void newRecordHasEveryFieldEmpty()
    {
        const Record r(m_table);
        for (int c = 0; c < m_table->columnCount(); ++c) {
            QVERIFY(!r.data(c).hasValue());
            QVERIFY(!r.data(c).toVariant().isValid());
            QCOMPARE(r.data(c).toString(), QString());
        }
        QVERIFY(!r.inTable());
    }

    void readersConvertStoredValues()
    {
        Record r(m_table);
        r.data("order_num") = qint64(9000000000LL);
        r.data("price") = decimal::fromString("101.25");
        r.data("buysell") = 'B';
        r.data("account") = QStringLiteral("Клиент1");
        r.data("moment") = QDateTime(QDate(2026, 12, 5), QTime(10, 30, 15, 7));
        r.data("volat") = 0.375;

        QCOMPARE(r.data("order_num").toInteger64(), 9000000000LL);
        QCOMPARE(r.data("order_num").toVariant().userType(), int(QMetaType::LongLong));
        QCOMPARE(r.data("price").toDecimal(), decimal(10125, 2));
        QCOMPARE(r.data("price").toDouble(), 101.25);
        QCOMPARE(r.data("price").toInteger64(), 101LL);
        QCOMPARE(r.data("price").toString(), QStringLiteral("101.25"));
        QCOMPARE(r.data("price").toVariant().userType(), qMetaTypeId<decimal>());
        QCOMPARE(r.data("buysell").toChar(), QChar('B'));
        QCOMPARE(r.data("buysell").toString(), QStringLiteral("B"));
        QCOMPARE(r.data("account").toString(), QStringLiteral("Клиент1"));
        QCOMPARE(r.data("account").toStringView(), QStringView(u"Клиент1"));
        QCOMPARE(r.data("moment").toQTime(), QTime(10, 30, 15, 7));
        QCOMPARE(r.data("moment").toQDate(), QDate(2026, 12, 5));
        QCOMPARE(r.data("moment").toVariant().userType(), int(QMetaType::QDateTime));
        QCOMPARE(r.data("moment").toString(), QStringLiteral("05.12.2026 10:30:15.007"));
        QCOMPARE(r.data("volat").toDouble(), 0.375);
        QCOMPARE(r.data("price").toXDecimal(), xdecimal(decimal(10125, 2)));
    }

    void writersConvertFromOtherKinds_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("stored");
        QTest::newRow("text into int") << "quantity" << QVariant(QStringLiteral(" 42 ")) << "42";
        QTest::newRow("whole double into int") << "quantity" << QVariant(7.0) << "7";
        QTest::newRow("int into decimal") << "price" << QVariant(15) << "15";
        QTest::newRow("comma text into decimal") << "price" << QVariant(QStringLiteral("3,50")) << "3.50";
        QTest::newRow("double into decimal uses column decimals") << "price" << QVariant(2.0 / 3) << "0.67";
        QTest::newRow("decimal into double") << "volat" << QVariant::fromValue(decimal(125, 3)) << "0.125";
        QTest::newRow("text into date") << "moment" << QVariant(QStringLiteral("01.02.2026 03:04:05"))
                                        << "01.02.2026 03:04:05.000";
        QTest::newRow("empty text clears a number") << "quantity" << QVariant(QString()) << "";
        QTest::newRow("invalid variant clears") << "price" << QVariant() << "";
        QTest::newRow("char into text") << "account" << QVariant(QChar('Z')) << "Z";
    }
    void writersConvertFromOtherKinds()
    {
        QFETCH(QString, column);
        QFETCH(QVariant, value);
        QFETCH(QString, stored);
        Record r(m_table);
        if (stored.isEmpty())
            r.data(column) = QStringLiteral("5"); // a value to be cleared
        r.data(column) = value;
        QCOMPARE(r.data(column).toString(), stored);
        QCOMPARE(r.data(column).hasValue(), !stored.isEmpty());
    }

    // A stored wall-clock time reads back as it was in any local zone, also one that daylight saving skips there,
    // and a date written into a date-time field is that day's midnight, also where the zone skips midnight.
    void wallClockValuesSurviveDaylightSaving_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("skippedTime");
        QTest::addColumn<QDate>("day");
        // ISO texts of the skipped hour, as imports and hosts write them, and what the cell shows for each.
        QTest::addColumn<QStringList>("isoTexts");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("Santiago, midnight skipped")
            << QByteArray("America/Santiago") << "06.09.2026 00:30:00" << QDate(2026, 9, 6)
            << QStringList { "2026-09-06T00:30", "2026-09-06 00:30:15" }
            << QStringList { "06.09.2026 00:30:00.000", "06.09.2026 00:30:15.000" };
        QTest::newRow("Azores, midnight skipped")
            << QByteArray("Atlantic/Azores") << "29.03.2026 00:30:00" << QDate(2026, 3, 29)
            << QStringList { "2026-03-29T00:30" } << QStringList { "29.03.2026 00:30:00.000" };
        QTest::newRow("Berlin, two o'clock skipped")
            << QByteArray("Europe/Berlin") << "29.03.2026 02:30:00" << QDate(2026, 3, 29)
            << QStringList { "2026-03-29T02:30", "2026-03-29 02:30", "2026-03-29T02:30:00.5",
                   "2026-03-29T02:30:00.25+02:00", "2026-03-29T02:30Z" }
            << QStringList { "29.03.2026 02:30:00.000", "29.03.2026 02:30:00.000", "29.03.2026 02:30:00.500",
                   "29.03.2026 02:30:00.250", "29.03.2026 02:30:00.000" };
    }
    void wallClockValuesSurviveDaylightSaving()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QString, skippedTime);
        QFETCH(QDate, day);
        QFETCH(QStringList, isoTexts);
        QFETCH(QStringList, shown);
        const LocalZone local(zone.constData());
        // The zone took effect: local time has no such moment (without the zone's data every case would pass).
        QVERIFY2(!QDateTime::fromString(skippedTime, QStringLiteral("dd.MM.yyyy hh:mm:ss")).isValid(),
            "the zone's skipped hour exists in local time: is its zone data installed?");
        Record r(m_table);
        r.data("moment") = skippedTime;
        QCOMPARE(r.data("moment").toString(), skippedTime + QStringLiteral(".000"));
        const QDateTime read = r.data("moment").toQDateTime();
        QCOMPARE(read.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")), skippedTime);
        QCOMPARE(r.data("moment").toVariant().toDateTime(), read);
        // An editor writes the cell's value back unchanged.
        r.data("moment") = r.data("moment").toVariant();
        QCOMPARE(r.data("moment").toString(), skippedTime + QStringLiteral(".000"));
        for (int i = 0; i < isoTexts.size(); ++i) {
            r.data("moment") = datetime();
            r.data("moment") = isoTexts.at(i);
            QCOMPARE(r.data("moment").toString(), shown.at(i));
        }

        for (const QVariant& date : { QVariant(day), QVariant(QDateTime(day, QTime(0, 0), Qt::UTC)) }) {
            r.data("moment") = date;
            QCOMPARE(r.data("moment").toQDate(), day);
            QCOMPARE(r.data("moment").toQTime(), QTime(0, 0));
        }
        r.data("moment") = day;
        QCOMPARE(r.data("moment").toQDate(), day);
        QCOMPARE(
            datetime::fromDate(day).toString(QStringLiteral("dd.MM.yyyy hh:mm")), day.toString("dd.MM.yyyy 00:00"));
    }

    void wrongValuesThrowAndLeaveTheFieldUnchanged_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("text into int") << "quantity" << QVariant(QStringLiteral("много"));
        QTest::newRow("fraction into int") << "quantity" << QVariant(1.5);
        QTest::newRow("too large for int32") << "stock_id" << QVariant(qlonglong(1) << 40);
        QTest::newRow("text too long") << "account" << QVariant(QStringLiteral("12345678"));
        QTest::newRow("two characters into a char") << "buysell" << QVariant(QStringLiteral("BS"));
        QTest::newRow("number into text") << "account" << QVariant(5);
        QTest::newRow("date into decimal") << "price" << QVariant(QDateTime::currentDateTime());
        QTest::newRow("bad date text") << "moment" << QVariant(QStringLiteral("вчера"));
    }
    void wrongValuesThrowAndLeaveTheFieldUnchanged()
    {
        QFETCH(QString, column);
        QFETCH(QVariant, value);
        Record r(m_table);
        r.data("stock_id") = 1;
        r.data("quantity") = 10;
        r.data("account") = QStringLiteral("A1");
        r.data("buysell") = 'S';
        r.data("price") = QStringLiteral("1.5");
        r.data("moment") = datetime(1000);
        const QString before = r.data(column).toString();
        QString message;
        try {
            r.data(column) = value;
        } catch (const QString& m) {
            message = m;
        }
        QVERIFY2(!message.isEmpty(), "the assignment must throw");
        QVERIFY2(message.contains(column), qPrintable(message)); // the message names the field
        QCOMPARE(r.data(column).toString(), before);
        QVERIFY(r.data(column).hasValue());
    }

    void unknownColumnReadsEmptyAndRefusesWrites()
    {
        Record r(m_table);
        QCOMPARE(m_table->columnIndex(QStringLiteral("nope")), -1);
        const Field f = r.data(QStringLiteral("nope"));
        QVERIFY(!f.isValid());
        QVERIFY(!f.hasValue());
        QCOMPARE(f.toString(), QString());
        QCOMPARE(r.data(99).toInteger(), 0);
        QVERIFY_EXCEPTION_THROWN(r.data(QStringLiteral("nope")) = 1, QString);
        QVERIFY(!Record().data(0).isValid());
    }

    void compareOrdersValuesWithEmptyFirst()
    {
        Record a(m_table);
        Record b(m_table);
        a.data("price") = QStringLiteral("10.5");
        b.data("price") = QStringLiteral("10.50");
        QCOMPARE(a.data("price").compare(b.data("price")), 0);
        QVERIFY(a.data("price") == b.data("price"));
        b.data("price") = QStringLiteral("9.99");
        QVERIFY(a.data("price").compare(b.data("price")) > 0);
        b.data("price").clear();
        QVERIFY(a.data("price").compare(b.data("price")) > 0);
        QVERIFY(b.data("price").compare(a.data("price")) < 0);
        a.data("account") = QStringLiteral("B");
        b.data("account") = QStringLiteral("A");
        QVERIFY(a.data("account") != b.data("account"));
        QVERIFY(a.data("account").compare(b.data("account")) > 0);
        // Fields of different numeric types compare by value.
        a.data("quantity") = 10;
        b.data("price") = QStringLiteral("10.00");
        QCOMPARE(a.data("quantity").compare(b.data("price")), 0);
        b.data("price") = QStringLiteral("10.01");
        QVERIFY(a.data("quantity").compare(b.data("price")) < 0);
    }

    void fieldAssignmentCopiesValues()
    {
        Record a(m_table);
        Record b(m_table);
        a.data("account") = QStringLiteral("XYZ");
        a.data("price") = QStringLiteral("5.125");
        b.data("account") = a.data("account");
        b.data("volat") = a.data("price"); // converted: decimal into double
        QCOMPARE(b.data("account").toString(), QStringLiteral("XYZ"));
        QCOMPARE(b.data("volat").toDouble(), 5.125);
        a.data("account") = QStringLiteral("Q");
        QCOMPARE(b.data("account").toString(), QStringLiteral("XYZ"));
    }

    void equalRowsAreEqualByteForByte()
    {
        Record a(m_table);
        Record b(m_table);
        a.data("account") = QStringLiteral("LONGONE");
        a.data("account") = QStringLiteral("AB"); // a shorter text leaves no trace of the longer one
        b.data("account") = QStringLiteral("AB");
        a.data("price") = decimal(150, 2);
        b.data("price") = decimal(150, 2);
        QCOMPARE(a.rawSize(), b.rawSize());
        QCOMPARE(std::memcmp(a.rawData(), b.rawData(), std::size_t(a.rawSize())), 0);
        // Adjacent fixed-size key columns form one byte range.
        const int stock = col("stock_id");
        const int board = col("board_id");
        const int sec = col("sec_id");
        QCOMPARE(m_table->columnOffset(board), m_table->columnOffset(stock) + m_table->columnSize(stock));
        QCOMPARE(m_table->columnOffset(sec), m_table->columnOffset(board) + m_table->columnSize(board));
    }

    void rawValuesComeWithoutConversion()
    {
        Record r(m_table);
        r.data("quantity") = qint64(0x0800000000LL);
        r.data("stock_id") = 0x1234;
        QCOMPARE(r.data("quantity").rawInt64(), qint64(0x0800000000LL));
        QCOMPARE(r.data("stock_id").rawInt64(), qint64(0x1234));
        QCOMPARE(int(r.data("stock_id").rawByte()), 0x34);
    }

    void systemStringFollowsTheLocale()
    {
        QLocale::setDefault(QLocale(QLocale::German));
        Record r(m_table);
        r.data("price") = QStringLiteral("1234.5");
        r.data("volat") = 0.25;
        QCOMPARE(r.data("price").toSystemString(), QStringLiteral("1234,5"));
        QCOMPARE(r.data("volat").toSystemString(), QStringLiteral("0,25"));
        QCOMPARE(r.data("price").toString(), QStringLiteral("1234.5"));
    }

    void fieldValuesAndKeys()
    {
        Record r(m_table);
        r.data("order_num") = 77;
        r.data("account") = QStringLiteral("AB1");
        const FieldValue copy = r.data("account");
        QCOMPARE(copy.type(), FieldType::String);
        QCOMPARE(copy.length(), 7);
        QVERIFY(copy == r.data("account"));
        r.data("account") = QStringLiteral("ZZ");
        QCOMPARE(copy.toString(), QStringLiteral("AB1")); // a value, not a reference

        FieldValue price(FieldType::Decimal, 2);
        price = QStringLiteral("3.14");
        QCOMPARE(price.toDecimal(), decimal(314, 2));
        QVERIFY_EXCEPTION_THROWN(price = QStringLiteral("пи"), QString);
        QCOMPARE(price.toString(), QStringLiteral("3.14"));

        const FieldConstValue buy(FieldType::Char, 1, 'B');
        QCOMPARE(buy.toChar(), QChar('B'));

        const KeyValue key = KeyValue::fromRecord(r, { col("order_num"), col("account") });
        QCOMPARE(key.toString(), QStringLiteral("77,ZZ"));
        KeyValue other = key;
        other[1] = QStringLiteral("ZA");
        QVERIFY(other < key);
        QVERIFY(other != key);
    }
};

QTEST_GUILESS_MAIN(tst_Field)
#include "tst_field.moc"
