#include "core/host/editors/dateedit.h"
#include "core/host/editors/numbereditor.h"
#include "core/host/editors/quantityeditor.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QVBoxLayout>
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

    // A key that makes the entry no such number refuses the whole entry with the reason: the text stays as
    // typed, in red, and there is no value until it is corrected; a refused key never makes another number.
    // The reason of a refusal stands beside the editor, never over the fields under it: a click meant for the
    // next field must reach it.
    void refusalReasonLeavesTheFieldsBelowFree()
    {
        QWidget form;
        auto* layout = new QVBoxLayout(&form);
        auto* price = new NumberEditor(&form, 2);
        auto* quantity = new QLineEdit(&form);
        layout->addWidget(price);
        layout->addWidget(quantity);
        showFocused(form);
        price->setFocus();
        QTest::keyClicks(price, QStringLiteral("1a"));
        QWidget* tip = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->inherits("QTipLabel") && top->isVisible())
                tip = top;
        }
        QVERIFY(tip);
        const QRect below(quantity->mapToGlobal(QPoint(0, 0)), quantity->size());
        QVERIFY2(!tip->geometry().intersects(below), "the reason covers the field under the editor");
    }

    void numberEditorRefusesTheWholeEntryWithTheReason_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a letter") << "12a3"
                                  << "Введите число: «a» не цифра";
        QTest::newRow("a third decimal") << "1.255"
                                         << "Допустимо не более 2 знаков после запятой";
        QTest::newRow("a second separator") << "1.2,5"
                                            << "В числе может быть только один разделитель";
        QTest::newRow("a minus") << "-5"
                                 << "Отрицательное значение недопустимо";
    }
    void numberEditorRefusesTheWholeEntryWithTheReason()
    {
        QFETCH(QString, typed);
        QFETCH(QString, reason);
        NumberEditor price(nullptr, 2);
        showFocused(price);
        QSignalSpy refused(&price, &LineEdit::refused);
        QTest::keyClicks(&price, typed);
        QCOMPARE(price.text(), typed);
        QCOMPARE(price.getValue(), QString());
        QVERIFY(price.styleSheet().contains(QStringLiteral("red")));
        QVERIFY(refused.count() >= 1);
        QCOMPARE(refused.first().first().toString(), reason);
        // Corrected, it is a number again.
        price.clear();
        QTest::keyClicks(&price, QStringLiteral("1,25"));
        QCOMPARE(price.getValue(), QStringLiteral("1.25"));
        QVERIFY(!price.styleSheet().contains(QStringLiteral("red")));
        // A value that is no such number is refused and the previous one stays.
        QVERIFY(!price.setValue(typed));
        QCOMPARE(price.getValue(), QStringLiteral("1.25"));
    }

    // Whatever is typed stays; the editor has a value exactly when the whole text is a number with at most two
    // decimals, as an independent pattern says.
    void numberEditorAgreesWithAPatternOnRandomTyping()
    {
        const QRegularExpression number(QStringLiteral("^-?(\\d+|\\d*[.,]\\d{1,2})$"));
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        const QString alphabet = QStringLiteral("0123456789.,-x ");
        NumberEditor price(nullptr, 2);
        price.setNegativeAllowed(true);
        showFocused(price);
        for (int round = 0; round < 40; ++round) {
            price.clear();
            QString typed;
            for (int k = 0; k < 8; ++k) {
                const QChar c = alphabet.at(random.bounded(alphabet.size()));
                QTest::keyClick(&price, c.toLatin1());
                typed += c;
            }
            const QString expected = number.match(typed).hasMatch() ? QString(typed).replace(',', '.') : QString();
            QVERIFY2(price.text() == typed && price.getValue() == expected,
                qPrintable(QStringLiteral("seed %1: %2 gives %3").arg(seed).arg(typed, price.getValue())));
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
        QCOMPARE(price.getValue(), QString());
        QCOMPARE(refused.count(), 1);
        price.selectAll();
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
        QCOMPARE(quantity.quantity(), qint64(-1));
        QVERIFY(refused.count() >= 1);
        QCOMPARE(refused.first().first().toString(), QStringLiteral("Допустимо только целое число"));
        quantity.clear();
        QTest::keyClicks(&quantity, QStringLiteral("105"));
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
