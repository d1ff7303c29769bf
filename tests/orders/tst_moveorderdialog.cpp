#include "core/db/appsettings.h"
#include "core/db/masterindex.h"
#include "core/host/directories/accountdirectory.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/editors/numbereditor.h"
#include "core/host/editors/quantityeditor.h"
#include "core/host/schema/hostschema.h"
#include "core/host/widgets/confirmationdialog.h"
#include "dialoganswers.h"
#include "marketfixture.h"
#include "models/tableindexmodel.h"
#include "orders/moveorderdialog.h"
#include "orders/private/addordercheckdialog.h"
#include "orders/private/moveorder.h"
#include "sim/embeddedexchange.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

QString text(const Record& r, const char* field)
{
    return r.data(QString::fromLatin1(field)).toString();
}

decimal number(const Record& r, const char* field)
{
    return r.data(QString::fromLatin1(field)).toDecimal();
}

} // namespace

class tst_MoveOrderDialog : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settings;
    std::unique_ptr<MarketFixture> m_market;
    std::unique_ptr<EmbeddedExchange> m_exchange;
    Table* m_orders = nullptr;
    Record m_order;
    Record m_instrument;

    Values valuesOf(const Record& order) const
    {
        const int stock = order.data(QStringLiteral("stock_id")).toInteger();
        const int board = order.data(QStringLiteral("board_id")).toInteger();
        return { { QStringLiteral("StockId"), stock }, { QStringLiteral("BoardId"), board },
            { QStringLiteral("Security"),
                SecurityDirectory::i()->codeById(stock, board, order.data(QStringLiteral("sec_id")).toInteger()) },
            { QStringLiteral("Account"), text(order, "account") }, { QStringLiteral("Price"), text(order, "price") },
            { QStringLiteral("Quantity"), text(order, "quantity") },
            { QStringLiteral("BuySell"), text(order, "buysell") },
            { QStringLiteral("OrderId"), text(order, "order_num") } };
    }
    // A price `steps` steps further from the other side than the order's (lower for a buy), so that the
    // changed order rests instead of trading; inside the limits.
    QString priceBy(int steps) const
    {
        if (m_order.data(QStringLiteral("buysell")).toChar() == QLatin1Char('B'))
            steps = -steps;
        const decimal step = number(m_instrument, "price_step");
        const double price = number(m_order, "price").toDouble() + steps * step.toDouble();
        return decimal::fromDouble(price, m_instrument.data(QStringLiteral("decimals")).toInteger()).toString();
    }
    // The form's button: the price check's buttons belong to the dialog too.
    QPushButton* sendButton(MoveOrderDialog* dialog) const
    {
        return dialog->form()->findChild<QPushButton*>(QStringLiteral("send"));
    }

private Q_SLOTS:
    void initTestCase() { AppSettings::setLocation(m_settings.path()); }
    void init()
    {
        m_market = std::make_unique<MarketFixture>(SampleMarketOptions::sized(100, 600, 4));
        m_exchange = std::make_unique<EmbeddedExchange>(&m_market->core, m_market->core.sender());
        m_orders = m_market->table(QStringLiteral("orders"));
        ConfirmationDialog::resetChoice(QStringLiteral("questionOnMoveOrder"));
        // An active order of a known account on a board with a change transaction, with room to move its price.
        m_order = Record();
        for (const Record& r : *m_orders->masterIndex()) {
            const int board = r.data(QStringLiteral("board_id")).toInteger();
            if (r.data(QStringLiteral("status")).toInteger() != HostSchema::StatusActive || (board != 1 && board != 14)
                || !AccountDirectory::i()->isKnown(text(r, "account")))
                continue;
            m_instrument = SecurityDirectory::i()->recordById(1, board, r.data(QStringLiteral("sec_id")).toInteger());
            // A step of several price units, so that a price between steps can be typed.
            const int decimals = m_instrument.data(QStringLiteral("decimals")).toInteger();
            if (number(m_instrument, "price_step") > decimal(1, decimals)
                && number(r, "price") > number(m_instrument, "min_price") + number(m_instrument, "price_step")
                        + number(m_instrument, "price_step") + number(m_instrument, "price_step")
                && number(r, "price") < number(m_instrument, "max_price") - number(m_instrument, "price_step")
                        - number(m_instrument, "price_step") - number(m_instrument, "price_step")) {
                m_order = r;
                break;
            }
        }
        QVERIFY(!m_order.isNull());
    }
    void cleanup()
    {
        m_order = m_instrument = Record();
        m_exchange.reset();
        m_market.reset();
    }

    void sendsOnlyAChangeOnABoardThatHasOne()
    {
        auto* dialog = new MoveOrderDialog(valuesOf(m_order));
        QCOMPARE(dialog->form()->description().kind, 13);
        // The order's own values change nothing.
        QVERIFY(!dialog->form()->canSend());
        dialog->form()->priceEditor()->setValue(priceBy(2));
        QVERIFY(dialog->form()->canSend());
        dialog->form()->priceEditor()->setValue(text(m_order, "price"));
        QVERIFY(!dialog->form()->canSend());
        dialog->form()->quantityEditor()->setValue(QStringLiteral("1"));
        QVERIFY(dialog->form()->canSend());
        dialog->form()->quantityEditor()->setValue(QString());
        QVERIFY(!dialog->form()->canSend());
        delete dialog;

        Values iceberg = valuesOf(m_order);
        iceberg.insert(QStringLiteral("is_iceberg"), true);
        MoveOrderDialog icebergDialog(iceberg);
        QCOMPARE(icebergDialog.form()->description().kind, 150);
        QVERIFY(icebergDialog.form()->quantityEditor()->isHidden());
    }

    // The price limits flag is the box's state, also on a board where the box is not shown.
    void theLimitsFlagIsTheBoxsState()
    {
        Values values = valuesOf(m_order);
        values.insert(QStringLiteral("BoardId"), 1);
        MoveOrderDialog dialog(values);
        QCheckBox* box = nullptr;
        for (QCheckBox* candidate : dialog.form()->findChildren<QCheckBox*>()) {
            if (candidate->text() == QStringLiteral("Проверять лимиты цен опционов"))
                box = candidate;
        }
        QVERIFY(box && box->isChecked() && box->isHidden());
        QVERIFY(dialog.form()->checkLimits());
        box->setChecked(false);
        QVERIFY(!dialog.form()->checkLimits());
    }

    // A price typed in full, however far from the instrument's, is weighed by the form without failing; a
    // number longer than prices hold is refused whole with the reason.
    void overLongPricesAreWeighedOrRefusedNeverThrown()
    {
        MoveOrderDialog dialog(valuesOf(m_order));
        NumberEditor* price = dialog.form()->priceEditor();
        QSignalSpy refused(price, &LineEdit::refused);
        price->setFocus();
        price->selectAll();
        const QString fifteen(15, QLatin1Char('9'));
        QTest::keyClicks(price, fifteen);
        QCOMPARE(price->getValue(), fifteen);
        QVERIFY(dialog.form()->canSend());
        QVERIFY(refused.isEmpty());
        QTest::keyClicks(price, QStringLiteral("999"));
        QCOMPARE(price->getValue(), QString(18, QLatin1Char('9')));
        QVERIFY(dialog.form()->canSend());
        // One digit more refuses the whole entry, never a shorter number of it.
        QTest::keyClicks(price, QStringLiteral("9"));
        QCOMPARE(price->getValue(), QString());
        QCOMPARE(refused.size(), 1);
        QCOMPARE(refused.first().at(0).toString(), QStringLiteral("Слишком длинное число"));
    }

    void confirmedChangeQueuesOneTransactionAndTheExchangeAppliesIt()
    {
        // A live window over the orders, as the trader watches it.
        TableIndexModel window(m_orders);
        window.rebuild();
        auto* dialog = MoveOrderDialog::showDialog(valuesOf(m_order));
        const QString price = priceBy(2);
        dialog->form()->priceEditor()->setValue(price);
        // Three lots more: the part already traded stays traded.
        const qint64 balance = m_order.data(QStringLiteral("balance")).toInteger();
        const QString quantity = QString::number(m_order.data(QStringLiteral("quantity")).toInteger() + 3);
        dialog->form()->quantityEditor()->setValue(quantity);
        QString question;
        answerDialog<ConfirmationDialog>([&](ConfirmationDialog* confirmation) {
            question = confirmation->text();
            confirmation->accept();
        });
        QSignalSpy queued(m_market->core.sender(), &EmbeddedTransactionSender::transactionQueued);
        QSignalSpy executed(m_exchange.get(), &EmbeddedExchange::executed);
        QPointer<MoveOrderDialog> open(dialog);
        sendButton(dialog)->click();
        // The price as the trader reads it: no trailing zeros.
        const QString side
            = text(m_order, "buysell") == QLatin1String("B") ? QStringLiteral("покупку") : QStringLiteral("продажу");
        QCOMPARE(question,
            QStringLiteral("Вы действительно хотите изменить заявку на %1 со счета %2 номер %3? Объем новой заявки "
                           "будет меньше указанного на размер сведенной части, были указаны количество %4 и цена %5.")
                .arg(side, text(m_order, "account"), text(m_order, "order_num"), quantity,
                    AddOrderCheckDialog::toLocalReducedString(price)));
        QCOMPARE(queued.count(), 1);
        QTRY_VERIFY(!open);
        QTRY_COMPARE(executed.count(), 1);
        QCOMPARE(number(m_order, "price").toDouble(), decimal::fromString(price).toDouble());
        QCOMPARE(m_order.data(QStringLiteral("balance")).toInteger(), balance + 3);
        const QModelIndex row = window.indexByRecord(m_order);
        QCOMPARE(window.data(window.index(row.row(), window.columnIndex(QStringLiteral("balance")))).toString(),
            QString::number(balance + 3));
    }

    void declinedConfirmationOrCorrectionSendsNothing()
    {
        const QString before = text(m_order, "price");
        MoveOrderDialog dialog(valuesOf(m_order));
        dialog.show();
        QSignalSpy queued(m_market->core.sender(), &EmbeddedTransactionSender::transactionQueued);
        dialog.form()->priceEditor()->setValue(priceBy(1));
        answerDialog<ConfirmationDialog>([](ConfirmationDialog* confirmation) { confirmation->reject(); });
        sendButton(&dialog)->click();
        QVERIFY(dialog.isVisible());

        // A price off the step, corrected in the check: the form gets the price, nothing goes out.
        const decimal step = number(m_instrument, "price_step");
        const int decimals = m_instrument.data(QStringLiteral("decimals")).toInteger();
        const decimal off = decimal::fromString(priceBy(1)) + decimal(1, decimals);
        dialog.form()->priceEditor()->setValue(off.toString());
        answerDialog<AddOrderCheckDialog>(
            [](AddOrderCheckDialog* check) { check->findChildren<QPushButton*>().at(1)->click(); });
        sendButton(&dialog)->click();
        QCOMPARE(decimal::fromString(dialog.form()->priceText()), decimal::fromString(priceBy(1)));
        QVERIFY(step > decimal::zero());
        QTest::qWait(50);
        QCOMPARE(queued.count(), 0);
        QCOMPARE(text(m_order, "price"), before);
    }

    void withoutAskingAgainTheChangeGoesStraightOut()
    {
        AppSettings(QString()).setValue(QStringLiteral("questionOnMoveOrder"), false);
        auto* dialog = MoveOrderDialog::showDialog(valuesOf(m_order));
        const QString lower = priceBy(-1);
        dialog->form()->priceEditor()->setValue(lower);
        QSignalSpy executed(m_exchange.get(), &EmbeddedExchange::executed);
        sendButton(dialog)->click();
        QTRY_COMPARE(executed.count(), 1);
        QCOMPARE(number(m_order, "price").toDouble(), decimal::fromString(lower).toDouble());
    }

    void refusalsReachTheUserAndChangeNothing_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("unknown order") << "OrderId"
                                       << "не найдена среди активных";
        QTest::newRow("another account's order") << "Account"
                                                 << "выставлена не со счёта";
    }
    void refusalsReachTheUserAndChangeNothing()
    {
        QFETCH(QString, field);
        QFETCH(QString, refusal);
        AppSettings(QString()).setValue(QStringLiteral("questionOnMoveOrder"), false);
        Values values = valuesOf(m_order);
        if (field == QLatin1String("OrderId")) {
            values.insert(field, QStringLiteral("999999999"));
        } else {
            for (const QString& other : AccountDirectory::i()->clients()) {
                if (other != text(m_order, "account")) {
                    values.insert(field, other);
                    break;
                }
            }
        }
        const QString before = m_order.toString();
        auto* dialog = MoveOrderDialog::showDialog(values);
        dialog->form()->priceEditor()->setValue(priceBy(1));
        QSignalSpy rejected(m_exchange.get(), &EmbeddedExchange::rejected);
        sendButton(dialog)->click();
        QTRY_COMPARE(rejected.count(), 1);
        QVERIFY(rejected.first().at(1).toString().contains(refusal));
        QVERIFY(m_market->core.recentNotifications().last().contains(refusal));
        QCOMPARE(m_order.toString(), before);
    }

    void aMarketWithoutTheTransactionCannotSend()
    {
        // The same market without its exchange: the sender knows no change transaction.
        const Values values = valuesOf(m_order);
        const QString price = priceBy(1);
        cleanup();
        m_market = std::make_unique<MarketFixture>(SampleMarketOptions::sized(100, 600, 4));
        MoveOrderDialog dialog(values);
        dialog.form()->priceEditor()->setValue(price);
        QVERIFY(!dialog.form()->canSend());
    }
};

QTEST_MAIN(tst_MoveOrderDialog)
#include "tst_moveorderdialog.moc"
