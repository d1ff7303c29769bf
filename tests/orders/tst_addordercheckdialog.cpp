#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/host/directories/securitydirectory.h"
#include "marketfixture.h"
#include "orders/private/addordercheckdialog.h"

#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

// Presses a button of the check dialog once it is up.
void press(AddOrderCheckDialog* dialog, int button)
{
    QTimer::singleShot(0, dialog, [dialog, button] {
        if (!dialog->isVisible()) {
            press(dialog, button);
            return;
        }
        dialog->findChildren<QPushButton*>().at(button)->click();
    });
}

// A decimal's mantissa at a given scale: exact multiples are checked on integers.
qint64 units(const decimal& value, int scale)
{
    return qRound64(value.withScale(scale).toDouble() * std::pow(10.0, scale));
}

} // namespace

class tst_AddOrderCheckDialog : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MarketFixture> m_market;
    Record m_instrument;
    QString m_textId;

    // The instrument's limits, step and decimals, as the exchange would set them.
    void setInstrument(const QString& min, const QString& max, const QString& step, int decimals)
    {
        {
            RecordsTrans trans(m_market->table(QStringLiteral("securities")));
            RecordUpdater update(m_instrument, trans);
            update.data(QStringLiteral("min_price")) = decimal::fromString(min);
            update.data(QStringLiteral("max_price")) = decimal::fromString(max);
            update.data(QStringLiteral("price_step")) = decimal::fromString(step);
            update.data(QStringLiteral("decimals")) = decimals;
        }
        // The directory takes the change with the table's batch.
        QTRY_COMPARE(SecurityDirectory::i()->decimalsByTextId(m_textId), decimals);
    }

private Q_SLOTS:
    void init()
    {
        m_market = std::make_unique<MarketFixture>();
        Table* securities = m_market->table(QStringLiteral("securities"));
        m_instrument = securities->masterIndex()->at(0);
        m_textId = SecurityDirectory::i()->textIdById(m_instrument.data(QStringLiteral("stock_id")).toInteger(),
            m_instrument.data(QStringLiteral("board_id")).toInteger(),
            m_instrument.data(QStringLiteral("sec_id")).toInteger());
        QVERIFY(!m_textId.isEmpty());
    }
    void cleanup()
    {
        m_instrument = Record();
        m_market.reset();
    }

    void checksPricesAgainstLimitsAndStep_data()
    {
        QTest::addColumn<QString>("min");
        QTest::addColumn<QString>("max");
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<int>("board");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("title"); // empty: no dialog
        QTest::addColumn<QString>("offered");
        QTest::addColumn<QString>("result"); // the price after "send"

        const QString limits = QStringLiteral("Проверка на лимиты");
        const QString step = QStringLiteral("Проверка на кратность");
        // clang-format off
        QTest::newRow("inside") << "90" << "110" << "0.05" << 2 << 1 << "100.05" << "" << "" << "100.05";
        QTest::newRow("on the upper limit") << "90" << "110" << "0.05" << 2 << 1 << "110" << "" << "" << "110";
        QTest::newRow("on the lower limit") << "90" << "110" << "0.05" << 2 << 1 << "90.00" << "" << "" << "90";
        QTest::newRow("above the limits") << "90" << "110" << "0.05" << 2 << 1 << "120" << limits << "110" << "110";
        QTest::newRow("below the limits") << "90" << "110" << "0.05" << 2 << 1 << "80" << limits << "90" << "90";
        QTest::newRow("negative where not allowed") << "90" << "110" << "0.05" << 2 << 1 << "-5" << limits << "90" << "90";
        QTest::newRow("off the step") << "90" << "110" << "0.05" << 2 << 1 << "101.23" << step << "101.25" << "101.25";
        QTest::newRow("half a step rounds up") << "90" << "110" << "0.5" << 1 << 1 << "100.25" << step << "100.5" << "100.5";
        QTest::newRow("four decimals") << "1" << "2" << "0.0005" << 4 << 1 << "1.2343" << step << "1.2345" << "1.2345";
        QTest::newRow("a multiple in binary noise") << "0" << "1" << "0.1" << 1 << 1 << "0.3" << "" << "" << "0.3";
        QTest::newRow("unlimited board, outside") << "90" << "110" << "0.05" << 2 << 14 << "120" << "" << "" << "120";
        QTest::newRow("unlimited board, off the step") << "90" << "110" << "0.05" << 2 << 15 << "120.01" << step << "120.00" << "120";
        QTest::newRow("spread, negative") << "-10" << "10" << "0.01" << 2 << 14 << "-0.05" << "" << "" << "-0.05";
        QTest::newRow("spread, zero") << "-10" << "10" << "0.01" << 2 << 14 << "0" << "" << "" << "0";
        QTest::newRow("zero step: not checked") << "90" << "110" << "0" << 2 << 1 << "120.01" << "" << "" << "120.01";
        QTest::newRow("inverted limits: step only") << "110" << "90" << "0.05" << 2 << 1 << "120.00" << "" << "" << "120";
        // clang-format on
    }

    void checksPricesAgainstLimitsAndStep()
    {
        QFETCH(QString, min);
        QFETCH(QString, max);
        QFETCH(QString, step);
        QFETCH(int, decimals);
        QFETCH(int, board);
        QFETCH(QString, price);
        QFETCH(QString, title);
        QFETCH(QString, offered);
        QFETCH(QString, result);
        setInstrument(min, max, step, decimals);
        AddOrderCheckDialog dialog;
        dialog.checkPrice(board, decimal::fromString(price), m_textId);
        QCOMPARE(dialog.shouldShowDialog(), !title.isEmpty());
        if (!title.isEmpty()) {
            QCOMPARE(dialog.windowTitle(), title);
            const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
            QCOMPARE(labels.at(3)->text(), QLatin1Char('\t') + offered);
            QVERIFY(dialog.findChildren<QPushButton*>().at(0)->text().endsWith(QLatin1Char(' ') + offered));
            press(&dialog, 0);
        }
        QCOMPARE(dialog.exec(), int(AddOrderCheckDialog::Send));
        QCOMPARE(dialog.resultPrice(), result);
    }

    void correctAndCancelAnswer()
    {
        setInstrument(QStringLiteral("90"), QStringLiteral("110"), QStringLiteral("0.05"), 2);
        AddOrderCheckDialog dialog;
        dialog.checkPrice(1, decimal::fromString(QStringLiteral("120")), m_textId);
        press(&dialog, 1);
        QCOMPARE(dialog.exec(), int(AddOrderCheckDialog::Correct));
        QCOMPARE(dialog.resultPrice(), QStringLiteral("110"));

        dialog.checkPrice(1, decimal::fromString(QStringLiteral("101.23")), m_textId);
        press(&dialog, 2);
        QCOMPARE(dialog.exec(), int(AddOrderCheckDialog::Cancel));
        QCOMPARE(dialog.resultPrice(), QStringLiteral("101.23"));

        // Nothing to check with: the previous state stays.
        dialog.checkPrice(0, decimal::fromString(QStringLiteral("1")), m_textId);
        dialog.checkPrice(1, decimal::minimum(), m_textId);
        dialog.checkPrice(1, decimal::fromString(QStringLiteral("1")), QString());
        QVERIFY(dialog.shouldShowDialog());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Проверка на кратность"));
    }

    void correctedPriceIsAlwaysAMultipleInsideTheLimits()
    {
        QRandomGenerator random(20261207);
        const int scale = 4;
        for (const char* stepText : { "0.0005", "0.01", "0.25", "5" }) {
            setInstrument(QStringLiteral("10"), QStringLiteral("1000"), QString::fromLatin1(stepText), scale);
            const qint64 step = units(decimal::fromString(QString::fromLatin1(stepText)), scale);
            AddOrderCheckDialog dialog;
            for (int i = 0; i < 500; ++i) {
                const qint64 priceUnits = 20 * 10000 + qint64(random.bounded(900 * 10000));
                const decimal price(priceUnits, scale);
                dialog.checkPrice(1, price, m_textId);
                const qint64 reduced = units(dialog.reducedPrice(), scale);
                QVERIFY2(reduced % step == 0, qPrintable(price.toString()));
                QVERIFY(qAbs(reduced - priceUnits) * 2 <= step);
                QCOMPARE(dialog.shouldShowDialog(), priceUnits % step != 0);
            }
        }
    }

    void localTexts()
    {
        QCOMPARE(AddOrderCheckDialog::toLocalReducedString(QStringLiteral("123.4500")), QStringLiteral("123.45"));
        QCOMPARE(AddOrderCheckDialog::toLocalReducedString(QStringLiteral("100.000")), QStringLiteral("100"));
        QCOMPARE(AddOrderCheckDialog::toLocalReducedString(QStringLiteral("1200")), QStringLiteral("1200"));
        QCOMPARE(AddOrderCheckDialog::toLocalReducedString(QStringLiteral("12,50")), QStringLiteral("12.5"));
        QCOMPARE(AddOrderCheckDialog::toLocalReducedString(QString()), QString());
    }
};

QTEST_MAIN(tst_AddOrderCheckDialog)
#include "tst_addordercheckdialog.moc"
