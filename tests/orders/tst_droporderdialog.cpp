#include "core/db/appsettings.h"
#include "core/db/masterindex.h"
#include "core/host/schema/hostschema.h"
#include "core/host/selectors/accountselectorbox.h"
#include "core/host/widgets/confirmationdialog.h"
#include "dialoganswers.h"
#include "marketfixture.h"
#include "orders/droporderdialog.h"
#include "sim/embeddedexchange.h"

#include <QDialogButtonBox>
#include <QLabel>
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
        if (r.data(QStringLiteral("status")).toInteger() != HostSchema::StatusActive
            || !r.data(QStringLiteral("account")).toString().startsWith(prefix))
            continue;
        (r.data(QStringLiteral("buysell")).toChar() == QLatin1Char('B') ? buy : sell) += 1;
    }
    return QStringLiteral("B%1 S%2").arg(buy).arg(sell);
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
        // A client holding positions (the accounts the terminal knows), and its firm.
        m_client = m_market->table(QStringLiteral("positions"))
                       ->masterIndex()
                       ->at(0)
                       .data(QStringLiteral("account"))
                       .toString();
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
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Снять все заявки на покупку"));
        QCOMPARE(dialog.findChild<QLabel*>()->text(),
            QStringLiteral("Снятие заявок на покупку для указанного счёта клиента или брокерской фирмы"));
        QCOMPARE(dialog.getStockId(), 1);
        QVERIFY(!okEnabled(dialog));
        QVERIFY(dialog.accountSelector()->setAccount(m_firm));
        QVERIFY(okEnabled(dialog));
        QVERIFY(dialog.accountSelector()->setAccount(m_client));
        QVERIFY(okEnabled(dialog));
        QVERIFY(!dialog.accountSelector()->setAccount(QStringLiteral("F0010")));
        QVERIFY(dialog.accountSelector()->setAccount(QString()));
        QVERIFY(!okEnabled(dialog));
        dialog.setMode(7);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Снять заявки"));
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

    void confirmedRequestWithdrawsTheFirmsSellOrdersOnly()
    {
        const QString before = active(m_orders, m_firm);
        QVERIFY(!before.endsWith(QStringLiteral(" S0")));
        DropOrdersDialog dialog;
        dialog.setMode(DropOrdersDialog::Sell);
        dialog.show();
        dialog.accountSelector()->setAccount(m_firm);
        QString question;
        answerDialog<ConfirmationDialog>([&](ConfirmationDialog* confirmation) {
            question = confirmation->text();
            confirmation->accept();
        });
        QSignalSpy executed(m_exchange.get(), &EmbeddedExchange::executed);
        dialog.accept();
        QCOMPARE(question,
            QStringLiteral("Вы уверены, что хотите снять все заявки брокерской фирмы %1 на продажу?").arg(m_firm));
        QVERIFY(!dialog.isVisible());
        QTRY_COMPARE(executed.count(), 1);
        QCOMPARE(active(m_orders, m_firm), before.section(QLatin1Char(' '), 0, 0) + QStringLiteral(" S0"));
    }

    void aClientAccountWithoutAskingAgain()
    {
        // Given the user chose earlier not to be asked again.
        AppSettings(QString()).setValue(QStringLiteral("questionOnDropAllOrders"), false);
        const QString& client = m_client;
        QVERIFY(active(m_orders, client) != QStringLiteral("B0 S0"));
        DropOrdersDialog dialog;
        dialog.setMode(DropOrdersDialog::All);
        dialog.accountSelector()->setAccount(client);
        QSignalSpy executed(m_exchange.get(), &EmbeddedExchange::executed);
        dialog.accept();
        QTRY_COMPARE(executed.count(), 1);
        QCOMPARE(active(m_orders, client), QStringLiteral("B0 S0"));
    }
};

QTEST_MAIN(tst_DropOrdersDialog)
#include "tst_droporderdialog.moc"
