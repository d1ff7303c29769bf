#include "core/db/appsettings.h"
#include "core/db/decimal.h"
#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/schema/hostschema.h"
#include "core/host/selectors/accountselectorbox.h"
#include "core/host/widgets/confirmationdialog.h"
#include "dialoganswers.h"
#include "marketfixture.h"
#include "orders/droporderdialog.h"
#include "recordfields.h"
#include "sim/embeddedexchange.h"
#include "sim/samplemarket.h"

#include <QDialogButtonBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// The active orders of accounts starting with `prefix`, by side: "B3 S5".
QString active(const Table* orders, const QString& prefix)
{
    int buy = 0;
    int sell = 0;
    for (const Record& r : *orders->masterIndex()) {
        if (number(r, "status") != HostSchema::StatusActive || !text(r, "account").startsWith(prefix))
            continue;
        (text(r, "buysell") == QLatin1String("B") ? buy : sell) += 1;
    }
    return QStringLiteral("B%1 S%2").arg(buy).arg(sell);
}

// The numbers of the active orders.
QSet<qint64> activeOrders(const Table* orders)
{
    QSet<qint64> numbers;
    for (const Record& r : *orders->masterIndex()) {
        if (number(r, "status") == HostSchema::StatusActive)
            numbers << number(r, "order_num");
    }
    return numbers;
}

} // namespace

class tst_DropOrdersDialog : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settings;
    std::unique_ptr<MarketFixture> m_market;
    std::unique_ptr<EmbeddedExchange> m_exchange;
    Table* m_orders = nullptr;
    QString m_firm;
    QString m_client;

    bool okEnabled(const DropOrdersDialog& dialog) const
    {
        return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
    }

private Q_SLOTS:
    void initTestCase() { AppSettings::setLocation(m_settings.path()); }
    void init()
    {
        m_market = std::make_unique<MarketFixture>(SampleMarketOptions::sized(100, 600, 3));
        m_exchange = std::make_unique<EmbeddedExchange>(&m_market->core, m_market->core.sender());
        m_orders = m_market->table(QStringLiteral("orders"));
        // A client holding positions (the accounts the terminal knows) and active orders, and its firm.
        for (const Record& position : *m_market->table(QStringLiteral("positions"))->masterIndex()) {
            const QString account = text(position, "account");
            if (m_client.isEmpty() && account.size() == 7 && active(m_orders, account) != QStringLiteral("B0 S0"))
                m_client = account;
        }
        m_firm = m_client.left(4);
        ConfirmationDialog::resetChoice(QStringLiteral("questionOnDropAllOrders"));
    }
    void cleanup()
    {
        m_exchange.reset();
        m_market.reset();
    }

    void okNeedsAFirmOrAClientAccount()
    {
        DropOrdersDialog dialog;
        dialog.setMode(DropOrdersDialog::Buy);
        QCOMPARE(dialog.getStockId(), 1);
        QVERIFY(!okEnabled(dialog));
        QVERIFY(dialog.accountSelector()->setAccount(m_firm));
        QVERIFY(okEnabled(dialog));
        QVERIFY(dialog.accountSelector()->setAccount(m_client));
        QVERIFY(okEnabled(dialog));
        QVERIFY(!dialog.accountSelector()->setAccount(QStringLiteral("F0010")));
        QVERIFY(dialog.accountSelector()->setAccount(QString()));
        QVERIFY(!okEnabled(dialog));
    }

    void declinedConfirmationSendsNothingAndKeepsTheDialog()
    {
        const QString before = active(m_orders, m_firm);
        DropOrdersDialog dialog;
        dialog.setMode(DropOrdersDialog::All);
        dialog.show();
        dialog.accountSelector()->setAccount(m_firm);
        QString question;
        answerDialog<ConfirmationDialog>([&](ConfirmationDialog* confirmation) {
            question = confirmation->text();
            confirmation->reject();
        });
        dialog.accept();
        QCOMPARE(question, QStringLiteral("Вы уверены, что хотите снять все заявки брокерской фирмы %1?").arg(m_firm));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.getAccount(), m_firm);
        QCOMPARE(m_market->core.sender()->pendingCount(), 0);
        QTest::qWait(50);
        QCOMPARE(active(m_orders, m_firm), before);
    }

    // Every mode, for a firm and for one of its clients, each holding orders on both sides inside and outside the
    // price limits: exactly the meant orders go, every other order stays, the trader having confirmed the question
    // that names what goes.
    void everyModeWithdrawsExactlyTheMeantOrders_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("firm");
        QTest::addColumn<QString>("question");
        const QString client = QStringLiteral("Вы уверены, что хотите снять все заявки%1 по счёту %2?");
        const QString firm = QStringLiteral("Вы уверены, что хотите снять все заявки брокерской фирмы %2%1?");
        const struct
        {
            DropOrdersDialog::Mode mode;
            const char* name;
            const char* what;
        } modes[] = { { DropOrdersDialog::All, "all", "" }, { DropOrdersDialog::Buy, "buy", " на покупку" },
            { DropOrdersDialog::Sell, "sell", " на продажу" },
            { DropOrdersDialog::OutsideLimits, "outside the limits", " вне лимитов" } };
        for (const auto& m : modes) {
            QTest::addRow("%s, client", m.name) << int(m.mode) << false << client.arg(QString::fromUtf8(m.what));
            QTest::addRow("%s, firm", m.name) << int(m.mode) << true << firm.arg(QString::fromUtf8(m.what));
        }
    }
    void everyModeWithdrawsExactlyTheMeantOrders()
    {
        QFETCH(int, mode);
        QFETCH(bool, firm);
        QFETCH(QString, question);
        // Given the client's orders on a future on both sides, two of them left outside the limits when the limits
        // narrowed after they were placed.
        Table* securities = m_market->table(QStringLiteral("securities"));
        Record future;
        for (const Record& r : *securities->masterIndex()) {
            if (number(r, "board_id") == SampleMarket::FuturesBoard && future.isNull())
                future = r;
        }
        const decimal settle = future.data(QStringLiteral("settle_price")).toDecimal();
        const decimal step = future.data(QStringLiteral("price_step")).toDecimal();
        for (const char* side : { "B", "S" }) {
            for (qint64 steps : { 5, 30 }) {
                const decimal price = QLatin1String(side) == QLatin1String("B") ? settle - step * decimal(steps, 0)
                                                                                : settle + step * decimal(steps, 0);
                QVERIFY(send(EmbeddedExchange::NewOrder,
                    { { QStringLiteral("StockId"), SampleMarket::StockId },
                        { QStringLiteral("BoardId"), SampleMarket::FuturesBoard },
                        { QStringLiteral("Security"), text(future, "sec_code") },
                        { QStringLiteral("Account"), m_client }, { QStringLiteral("Price"), price.toString() },
                        { QStringLiteral("Quantity"), 1 }, { QStringLiteral("BuySell"), QLatin1String(side) } }));
            }
        }
        {
            RecordsTrans trans(securities);
            RecordUpdater limits(future, trans);
            limits.data(QStringLiteral("min_price")) = settle - step * decimal(10, 0);
            limits.data(QStringLiteral("max_price")) = settle + step * decimal(10, 0);
        }
        const QString account = firm ? m_firm : m_client;
        // What each mode means, read off the tables.
        auto meant = [&](const Record& order) {
            const QString side = text(order, "buysell");
            const Record in = SecurityDirectory::i()->recordById(
                int(number(order, "stock_id")), int(number(order, "board_id")), number(order, "sec_id"));
            const decimal price = order.data(QStringLiteral("price")).toDecimal();
            const bool outside = price < in.data(QStringLiteral("min_price")).toDecimal()
                || price > in.data(QStringLiteral("max_price")).toDecimal();
            return text(order, "account").startsWith(account)
                && (mode == DropOrdersDialog::All || (mode == DropOrdersDialog::Buy && side == QLatin1String("B"))
                    || (mode == DropOrdersDialog::Sell && side == QLatin1String("S"))
                    || (mode == DropOrdersDialog::OutsideLimits && outside));
        };
        const QSet<qint64> before = activeOrders(m_orders);
        QSet<qint64> expected;
        QSet<QString> kinds; // of the account's orders: side, and whether inside the limits
        for (const Record& r : *m_orders->masterIndex()) {
            if (!before.contains(number(r, "order_num")))
                continue;
            if (meant(r))
                expected << number(r, "order_num");
            if (text(r, "account").startsWith(account))
                kinds << text(r, "buysell") + (expected.contains(number(r, "order_num")) ? "-meant" : "-kept");
        }
        QVERIFY(!expected.isEmpty() && expected != before);
        if (mode != DropOrdersDialog::All)
            QCOMPARE(kinds.size(), mode == DropOrdersDialog::OutsideLimits ? 4 : 2);

        // When the trader asks for the mode's withdrawal and confirms.
        DropOrdersDialog dialog;
        dialog.setMode(mode);
        dialog.show();
        QVERIFY(dialog.accountSelector()->setAccount(account));
        QString asked;
        answerDialog<ConfirmationDialog>([&](ConfirmationDialog* confirmation) {
            asked = confirmation->text();
            confirmation->accept();
        });
        QSignalSpy executed(m_exchange.get(), &EmbeddedExchange::executed);
        dialog.accept();
        QCOMPARE(asked, question.arg(account));
        QVERIFY(!dialog.isVisible());
        QTRY_COMPARE(executed.count(), 1);

        // Then exactly the meant orders are withdrawn.
        QCOMPARE(before - activeOrders(m_orders), expected);
        QCOMPARE(activeOrders(m_orders), before - expected);
    }

    void aClientAccountWithoutAskingAgain()
    {
        // Given the user chose earlier not to be asked again.
        AppSettings(QString()).setValue(QStringLiteral("questionOnDropAllOrders"), false);
        QVERIFY(active(m_orders, m_client) != QStringLiteral("B0 S0"));
        DropOrdersDialog dialog;
        dialog.setMode(DropOrdersDialog::All);
        dialog.accountSelector()->setAccount(m_client);
        QSignalSpy executed(m_exchange.get(), &EmbeddedExchange::executed);
        dialog.accept();
        QTRY_COMPARE(executed.count(), 1);
        QCOMPARE(active(m_orders, m_client), QStringLiteral("B0 S0"));
    }

private:
    // Builds and queues a transaction as the order dialogs do; true once the exchange executed it.
    bool send(int kind, const Values& values)
    {
        QSignalSpy executed(m_exchange.get(), &EmbeddedExchange::executed);
        ITransactionSender* sender = m_market->core.transactions();
        RawTransactionPtr t = sender->build(sender->description(1, kind), values);
        t->restartTimer();
        return sender->queue(t) && QTest::qWaitFor([&] { return executed.count() > 0; }, 2000);
    }
};

QTEST_MAIN(tst_DropOrdersDialog)
#include "tst_droporderdialog.moc"
