#include "core/host/directories/accountdirectory.h"
#include "core/host/editors/numbereditor.h"
#include "core/host/editors/quantityeditor.h"
#include "core/host/schema/hostschema.h"
#include "core/host/selectors/accountselectorbox.h"
#include "core/host/selectors/securityselectorbox.h"
#include "core/host/widgets/confirmationdialog.h"
#include "dialoganswers.h"
#include "models/tableindexmodel.h"
#include "orders/droporderdialog.h"
#include "orders/moveorderdialog.h"
#include "orders/private/addordercheckdialog.h"
#include "orders/private/moveorder.h"
#include "recordfields.h"
#include "terminalfixture.h"
#include "traderhands.h"

#include <QCheckBox>
#include <QCompleter>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

decimal price(const Record& r, const char* field)
{
    return r.data(QLatin1String(field)).toDecimal();
}

bool labelIsRed(QWidget* form, QWidget* field)
{
    for (QLabel* label : form->findChildren<QLabel*>()) {
        if (label->buddy() == field)
            return label->styleSheet().contains(QLatin1String("red"));
    }
    return false;
}

} // namespace

// Entering, changing and withdrawing orders by keys and mouse in the composed terminal while the feed runs.
class tst_TerminalOrders : public QObject, private TerminalFixture
{
    Q_OBJECT

private:
    FutOrder* newOrderFor(const Record& instrument) { return TerminalFixture::newOrderFor(*m_window, instrument); }

private Q_SLOTS:
    void init() { startTradingTerminal(SampleMarketOptions::sized(300, 3000, 7), 2000); }
    void cleanup()
    {
        m_feed->stop();
        QList<QPointer<QDialog>> dialogs;
        for (QWidget* top : QApplication::topLevelWidgets())
            dialogs << qobject_cast<QDialog*>(top);
        // Deleting one may delete others it owns.
        for (const QPointer<QDialog>& dialog : dialogs)
            delete dialog.data();
        stopTradingTerminal();
    }

    // A separator the instrument has no decimals for refuses the whole entry, with the reason, instead of
    // making another number of the rest; where it has decimals either separator gives the same price.
    void typedDecimalsAreTakenAsMeantOrRefusedWhole()
    {
        FutOrder* form = newOrderFor(
            instrument(SampleMarket::FuturesBoard, [](const Record& r) { return number(r, "decimals") == 0; }));
        QVERIFY(form);
        form->setAccount(AccountDirectory::i()->clients().value(0));
        form->setQuantity(QStringLiteral("1"));
        QSignalSpy refused(form->priceEditor(), &LineEdit::refused);
        form->priceEditor()->setFocus();
        QTest::keyClicks(form->priceEditor(), QStringLiteral("92724.5"));
        QVERIFY(!refused.isEmpty());
        QCOMPARE(form->price().text(), QString());
        QVERIFY(labelIsRed(form, form->priceEditor()));
        QVERIFY(!form->buyButton()->isEnabled());
        delete shown<AddOrderShortDialog>();

        form = newOrderFor(instrument(SampleMarket::FuturesBoard, [](const Record& r) {
            return number(r, "decimals") == 2 && price(r, "price_step") == decimal::fromString(QStringLiteral("0.25"));
        }));
        QVERIFY(form);
        for (const QString& typed : { QStringLiteral("3145.25"), QStringLiteral("3145,25") }) {
            form->priceEditor()->clear();
            form->priceEditor()->setFocus();
            QTest::keyClicks(form->priceEditor(), typed);
            QCOMPARE(form->price().text(), QStringLiteral("3145.25"));
        }
    }

    // Typing an instrument's exact code and Enter in the list picks that instrument, not an earlier one whose
    // code holds it.
    void instrumentChooserPrefersTheExactCode()
    {
        FutOrder* form = newOrderFor(instrument(SampleMarket::FuturesBoard));
        QVERIFY(form);
        SecuritySelectorBox* box = form->securityBox();
        QString exact;
        for (int row = 0; row < box->entries()->rowCount() && exact.isEmpty(); ++row) {
            const QString code = box->entries()->entry(row).code;
            for (int other = 0; other < row && exact.isEmpty(); ++other) {
                if (box->entries()->entry(other).code.contains(code, Qt::CaseInsensitive))
                    exact = code;
            }
        }
        QVERIFY2(!exact.isEmpty(), "no code of the sample holds a later one");
        box->setFocus();
        box->lineEdit()->selectAll();
        QTest::keyClicks(box->lineEdit(), exact);
        QTRY_VERIFY(box->entryCompleter()->popup()->isVisible());
        QTest::keyClick(box->entryCompleter()->popup(), Qt::Key_Return);
        QCOMPARE(box->getSecurityCode(), exact);
    }

    // From the menu, a firm's code and Enter, Enter ask, send one withdrawal, and the message pane tells how many
    // orders went; the firm's active orders are gone. The order form offers no firm as an account.
    void massWithdrawalAsksSendsAndReports()
    {
        const QString firm = AccountDirectory::i()->firms().value(0);
        QList<qint64> active;
        for (const Record& r : *m_market->table(QStringLiteral("orders"))->masterIndex()) {
            if (text(r, "account").startsWith(firm) && number(r, "status") == HostSchema::StatusActive)
                active << number(r, "order_num");
        }
        QVERIFY(!active.isEmpty());
        mainMenuAction(*m_window, QStringLiteral("Снять все заявки..."))->trigger();
        DropOrdersDialog* dialog = nullptr;
        QTRY_VERIFY((dialog = shown<DropOrdersDialog>()));
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        dialog->accountSelector()->setFocus();
        QTRY_VERIFY(dialog->accountSelector()->hasFocus());
        QTest::keyClicks(QApplication::focusWidget(), firm, {}, 20);
        QString question;
        answerDialog<ConfirmationDialog>([&](ConfirmationDialog* d) {
            question = d->text();
            QTest::keyClick(d, Qt::Key_Return);
        });
        // The first Enter takes the firm from the completion list, the next one asks.
        TraderHands::press(Qt::Key_Return);
        QCOMPARE(dialog->getAccount(), firm);
        TraderHands::press(Qt::Key_Return);
        QTRY_COMPARE(
            question, QStringLiteral("Вы уверены, что хотите снять все заявки брокерской фирмы %1?").arg(firm));
        QTRY_COMPARE(m_sent.size(), 1);
        QCOMPARE(m_sent.first().values().value(QStringLiteral("Account")).toString(), firm);
        QTRY_VERIFY(notified(QStringLiteral("Снято заявок брокерской фирмы %1: ").arg(firm)));
        for (const qint64 order : active) {
            const Record now(m_market->table(QStringLiteral("orders")), QString::number(order));
            QVERIFY(number(now, "status") != HostSchema::StatusActive);
        }

        FutOrder* form = newOrderFor(instrument(SampleMarket::FuturesBoard));
        QVERIFY(form);
        QVERIFY(!form->accountBox()->setAccount(firm));
        for (int row = 0; row < form->accountBox()->entries()->rowCount(); ++row)
            QVERIFY(AccountDirectory::i()->clients().contains(form->accountBox()->entries()->entry(row).code));
    }

    // A future's price beyond its limits is checked before any confirmation; an option's form offers the
    // option price limits check; an option order can be changed from its row in the orders window.
    void everyOrderRuleShowsOnTheMarketsBoards()
    {
        const auto limitsBoxShown = [](FutOrder* form) {
            for (QCheckBox* box : form->findChildren<QCheckBox*>()) {
                if (box->text() == QStringLiteral("Проверять лимиты цен опционов"))
                    return !box->isHidden();
            }
            return false;
        };
        const Record future = instrument(SampleMarket::FuturesBoard);
        FutOrder* form = newOrderFor(future);
        QVERIFY(form);
        QVERIFY(!limitsBoxShown(form));
        form->setAccount(AccountDirectory::i()->clients().value(0));
        form->setQuantity(QStringLiteral("1"));
        form->setPrice(IPrice((price(future, "max_price") + price(future, "price_step")).toString()));
        QStringList asked;
        answerDialog<AddOrderCheckDialog>([&](AddOrderCheckDialog* check) {
            asked << check->windowTitle();
            check->reject();
        });
        form->buyButton()->click();
        QCOMPARE(asked, QStringList { QStringLiteral("Проверка на лимиты") });
        QVERIFY(m_sent.isEmpty());
        delete shown<AddOrderShortDialog>();

        form = newOrderFor(instrument(SampleMarket::OptionsBoard));
        QVERIFY(form);
        QVERIFY(limitsBoxShown(form));
        delete shown<AddOrderShortDialog>();

        m_feed->stop();
        TableWindow* orders = table(*m_window, QStringLiteral("orders"));
        const QAbstractItemModel* rows = orders->view()->QAbstractItemView::model();
        const int priceColumn = orders->model()->columnIndex(QStringLiteral("price"));
        QModelIndex cell;
        for (int row = 0; row < rows->rowCount() && !cell.isValid(); ++row) {
            const Record order = orders->view()->recordAt(rows->index(row, priceColumn));
            if (number(order, "board_id") == SampleMarket::OptionsBoard
                && number(order, "status") == HostSchema::StatusActive)
                cell = rows->index(row, priceColumn);
        }
        QVERIFY(cell.isValid());
        const Record order = orders->view()->recordAt(cell);
        orders->view()->scrollTo(cell);
        TraderHands::rightClick(orders->view()->viewport(), TraderHands::cellPoint(orders->view(), cell),
            QStringLiteral("Изменить заявку"));
        MoveOrderDialog* change = nullptr;
        QTRY_VERIFY((change = shown<MoveOrderDialog>()));
        change->form()->quantityEditor()->setValue(QString::number(number(order, "quantity") + 1));
        QVERIFY(change->findChild<QPushButton*>(QStringLiteral("send"))->isEnabled());
    }
};

QTEST_MAIN(tst_TerminalOrders)
#include "tst_terminalorders.moc"
