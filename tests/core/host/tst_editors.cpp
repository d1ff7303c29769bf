#include "core/host/editors/dateedit.h"
#include "core/host/editors/numbereditor.h"
#include "core/host/editors/quantityeditor.h"

#include <QApplication>
#include <QClipboard>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

class tst_Editors : public QObject
{
    Q_OBJECT

private:
    template<typename Editor>
    static void showFocused(Editor& editor)
    {
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        editor.setFocus();
    }

private Q_SLOTS:
    void numberEditorTakesEitherSeparator()
    {
        NumberEditor price(nullptr, 2);
        showFocused(price);
        QTest::keyClicks(&price, QStringLiteral("12,5"));
        QCOMPARE(price.getValue(), QStringLiteral("12.5"));
        QCOMPARE(price.value(), decimal::fromString(QStringLiteral("12.50")));
        price.clear();
        QTest::keyClicks(&price, QStringLiteral("0.07"));
        QCOMPARE(price.getValue(), QStringLiteral("0.07"));
        QVERIFY(price.setValue(QStringLiteral("99,9")));
        QCOMPARE(price.getValue(), QStringLiteral("99.9"));
        QVERIFY(price.setValue(QString()));
        QCOMPARE(price.getValue(), QString());
    }

    void numberEditorRefusesWithTheReasonAndKeepsTheValue_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a letter") << "12a"
                                  << "12"
                                  << "Введите число: «a» не цифра";
        QTest::newRow("a third decimal") << "1.255"
                                         << "1.25"
                                         << "Допустимо не более 2 знаков после запятой";
        QTest::newRow("a second separator") << "1.2,"
                                            << "1.2"
                                            << "В числе может быть только один разделитель";
        QTest::newRow("a minus") << "-5"
                                 << "5"
                                 << "Отрицательное значение недопустимо";
    }
    void numberEditorRefusesWithTheReasonAndKeepsTheValue()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(QString, reason);
        NumberEditor price(nullptr, 2);
        showFocused(price);
        QSignalSpy refused(&price, &LineEdit::refused);
        QTest::keyClicks(&price, typed);
        QCOMPARE(price.text(), kept);
        QCOMPARE(refused.count(), 1);
        QCOMPARE(refused.first().first().toString(), reason);
        // The same text given as a value is refused whole.
        QVERIFY(!price.setValue(typed));
        QCOMPARE(price.text(), kept);
        QCOMPARE(refused.count(), 2);
    }

    // Every key a user types is taken exactly when the text it makes is a prefix of a number with at most
    // two decimals, as an independent pattern says.
    void numberEditorAgreesWithAPatternOnRandomTyping()
    {
        const QRegularExpression prefix(QStringLiteral("^-?\\d*([.,]\\d{0,2})?$"));
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        const QString alphabet = QStringLiteral("0123456789.,-x ");
        NumberEditor price(nullptr, 2);
        price.setNegativeAllowed(true);
        showFocused(price);
        QSignalSpy refused(&price, &LineEdit::refused);
        for (int round = 0; round < 40; ++round) {
            price.clear();
            refused.clear();
            QString expected;
            int expectedRefusals = 0;
            for (int k = 0; k < 8; ++k) {
                const QChar c = alphabet.at(random.bounded(alphabet.size()));
                QTest::keyClick(&price, c.toLatin1());
                if (prefix.match(expected + c).hasMatch() && (expected + c).count(QRegularExpression("\\d")) <= 18)
                    expected += c;
                else
                    ++expectedRefusals;
            }
            QVERIFY2(price.text() == expected,
                qPrintable(QStringLiteral("seed %1: %2 vs %3").arg(seed).arg(price.text(), expected)));
            QVERIFY2(refused.count() == expectedRefusals, qPrintable(QStringLiteral("seed %1").arg(seed)));
        }
    }

    void pasteOfANonNumberIsRefused()
    {
        NumberEditor price(nullptr, 2);
        showFocused(price);
        QVERIFY(price.setValue(QStringLiteral("7")));
        price.selectAll();
        QSignalSpy refused(&price, &LineEdit::refused);
        QApplication::clipboard()->setText(QStringLiteral("1 234,5"));
        QTest::keyClick(&price, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(price.getValue(), QStringLiteral("7"));
        QCOMPARE(refused.count(), 1);
        QApplication::clipboard()->setText(QStringLiteral("1234,5"));
        QTest::keyClick(&price, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(price.getValue(), QStringLiteral("1234.5"));
    }

    void upAndDownStepTheNumber()
    {
        NumberEditor price(nullptr, 2);
        price.setStep(decimal::fromString(QStringLiteral("0.25")));
        showFocused(price);
        QVERIFY(price.setValue(QStringLiteral("1")));
        QTest::keyClick(&price, Qt::Key_Up);
        QCOMPARE(price.getValue(), QStringLiteral("1.25"));
        QTest::keyClick(&price, Qt::Key_Down);
        QTest::keyClick(&price, Qt::Key_Down);
        QCOMPARE(price.getValue(), QStringLiteral("0.75"));
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(&price, Qt::Key_Down);
        QCOMPARE(price.getValue(), QStringLiteral("0.00"));
    }

    void quantityIsAWholeNumberOfLots()
    {
        QuantityEditor quantity;
        showFocused(quantity);
        QSignalSpy refused(&quantity, &LineEdit::refused);
        QTest::keyClicks(&quantity, QStringLiteral("10,5"));
        QCOMPARE(quantity.quantity(), qint64(105));
        QCOMPARE(refused.count(), 1);
        QCOMPARE(refused.first().first().toString(), QStringLiteral("Допустимо только целое число"));
        QTest::keyClick(&quantity, Qt::Key_Up);
        QCOMPARE(quantity.getValue(), QStringLiteral("106"));
        QVERIFY(!quantity.setValue(QStringLiteral("-3")));
        QCOMPARE(quantity.quantity(), qint64(106));
        quantity.clear();
        QCOMPARE(quantity.quantity(), qint64(-1));
    }

    void dateEditReadsAndWritesIsoText()
    {
        DateEdit date;
        showFocused(date);
        QSignalSpy refused(&date, &DateEdit::refused);
        QVERIFY(date.setValue(QStringLiteral("2026-12-31")));
        QCOMPARE(date.getValue(), QStringLiteral("2026-12-31"));
        QCOMPARE(date.text(), QStringLiteral("31.12.2026"));
        QVERIFY(date.setValue(QStringLiteral("01.03.2027")));
        QCOMPARE(date.getValue(), QStringLiteral("2027-03-01"));
        QVERIFY(!date.setValue(QStringLiteral("31.02.2027")));
        QVERIFY(!date.setValue(QStringLiteral("завтра")));
        QCOMPARE(date.getValue(), QStringLiteral("2027-03-01"));
        QCOMPARE(refused.count(), 2);
        QVERIFY(date.setValue(QString()));
        QVERIFY(!date.hasValue());
        QCOMPARE(date.getValue(), QString());
        // Typing over the shown date goes through the editor's sections.
        QVERIFY(date.setValue(QStringLiteral("2026-12-06")));
        date.setSelectedSection(QDateTimeEdit::DaySection);
        QTest::keyClicks(&date, QStringLiteral("15"));
        QCOMPARE(date.getValue(), QStringLiteral("2026-12-15"));
    }
};

QTEST_MAIN(tst_Editors)
#include "tst_editors.moc"
