#include "core/db/appsettings.h"
#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/host/directories/accountdirectory.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/editors/numbereditor.h"
#include "core/host/editors/quantityeditor.h"
#include "core/host/schema/hostschema.h"
#include "core/host/selectors/accountselectorbox.h"
#include "core/host/selectors/partnerselectorbox.h"
#include "core/host/selectors/securityselectorbox.h"
#include "core/host/selectors/stockselectorbox.h"
#include "core/host/widgets/confirmationdialog.h"
#include "dialoganswers.h"
#include "marketfixture.h"
#include "models/tableindexmodel.h"
#include "orders/addordershortdialog.h"
#include "orders/private/addordercheckdialog.h"
#include "orders/private/formselector.h"
#include "orders/private/futorder.h"
#include "orders/private/ordermore.h"
#include "sim/embeddedexchange.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

decimal number(const Record& r, const char* field)
{
    return r.data(QString::fromLatin1(field)).toDecimal();
}

// The label that names a field (the one Alt+letter moves to it).
QLabel* labelOf(QWidget* form, QWidget* field)
{
    for (QLabel* label : form->findChildren<QLabel*>()) {
        if (label->buddy() == field)
            return label;
    }
    return nullptr;
}

} // namespace

class tst_AddOrderShortDialog : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settings;
    std::unique_ptr<MarketFixture> m_market;
    std::unique_ptr<EmbeddedExchange> m_exchange;
    Record m_instrument; // a future whose step spans several price units
    QString m_account;
    QList<RawTransaction> m_sent; // what reached the exchange

    QString textId() const
    {
        return SecurityDirectory::i()->textIdById(1, m_instrument.data(QStringLiteral("board_id")).toInteger(),
            m_instrument.data(QStringLiteral("sec_id")).toInteger64());
    }
    // A price `steps` steps below the lowest resting sell: a buy there rests in the book.
    QString restingBuyPrice() const
    {
        decimal price = number(m_instrument, "max_price");
        for (const Record& r : *m_market->table(QStringLiteral("orders"))->masterIndex()) {
            if (r.data(QStringLiteral("sec_id")).toInteger64()
                    == m_instrument.data(QStringLiteral("sec_id")).toInteger64()
                && r.data(QStringLiteral("status")).toInteger() == HostSchema::StatusActive
                && r.data(QStringLiteral("buysell")).toChar() == QLatin1Char('S') && number(r, "price") < price)
                price = number(r, "price");
        }
        const decimal step = number(m_instrument, "price_step");
        return (price - step - step).toString();
    }
    // The order form for one lot of the instrument at a buy price that rests in the book, shown.
    AddOrderShortDialog* showRestingBuy() const
    {
        Values values = AddOrderShortDialog::secKeyToValues(textId());
        values[QStringLiteral("Account")] = m_account;
        values[QStringLiteral("Price")] = restingBuyPrice();
        values[QStringLiteral("Quantity")] = 1;
        return AddOrderShortDialog::showDialog(values);
    }
    static FutOrder* futures(AddOrderShortDialog* dialog) { return qobject_cast<FutOrder*>(dialog->form()); }

private Q_SLOTS:
    void initTestCase() { AppSettings::setLocation(m_settings.path()); }
    void init()
    {
        m_market = std::make_unique<MarketFixture>(SampleMarketOptions::sized(100, 600, 4));
        m_exchange = std::make_unique<EmbeddedExchange>(&m_market->core, m_market->core.sender());
        m_market->core.sender()->setExecutor([this](const RawTransaction& t) {
            m_sent << t;
            m_exchange->execute(t);
        });
        ConfirmationDialog::resetChoice(QStringLiteral("questionOnAddOrder"));
        m_sent.clear();
        m_instrument = Record();
        for (const Record& r : *m_market->table(QStringLiteral("securities"))->masterIndex()) {
            const int decimals = r.data(QStringLiteral("decimals")).toInteger();
            if (r.data(QStringLiteral("sectype")).toChar() == QLatin1Char('F')
                && r.data(QStringLiteral("board_id")).toInteger() == SampleMarket::FuturesBoard
                && number(r, "price_step") > decimal(1, decimals)) {
                m_instrument = r;
                break;
            }
        }
        QVERIFY(!m_instrument.isNull());
        m_account = AccountDirectory::i()->clients().value(0);
        QVERIFY(!m_account.isEmpty());
    }
    void cleanup()
    {
        m_instrument = Record();
        m_exchange.reset();
        m_market.reset();
    }

    // A sell at the best bid trades: the deals and positions windows show the trade of the account.
    void crossingOrderTradesAndTheDealsAndPositionsShowIt()
    {
        AppSettings(QString()).setValue(QStringLiteral("questionOnAddOrder"), false);
        const qint64 sec = m_instrument.data(QStringLiteral("sec_id")).toInteger64();
        decimal bid = decimal::minimum();
        for (const Record& r : *m_market->table(QStringLiteral("orders"))->masterIndex()) {
            if (r.data(QStringLiteral("sec_id")).toInteger64() == sec
                && r.data(QStringLiteral("status")).toInteger() == HostSchema::StatusActive
                && r.data(QStringLiteral("buysell")).toChar() == QLatin1Char('B') && number(r, "price") > bid)
                bid = number(r, "price");
        }
        if (bid == decimal::minimum())
            QSKIP("no bid to trade against in this sample");
        TableIndexModel deals(m_market->table(QStringLiteral("deals")));
        TableIndexModel positions(m_market->table(QStringLiteral("positions")));
        deals.rebuild();
        positions.rebuild();
        const auto accountRows = [this](const TableIndexModel& model) {
            int rows = 0;
            for (int row = 0; row < model.rowCount(); ++row)
                rows += model.at(row).data(QStringLiteral("account")).toString() == m_account ? 1 : 0;
            return rows;
        };
        const int dealsBefore = accountRows(deals);
        Values values = AddOrderShortDialog::secKeyToValues(textId());
        values.insert(QStringLiteral("Account"), m_account);
        values.insert(QStringLiteral("Price"), bid.toString());
        values.insert(QStringLiteral("Quantity"), QStringLiteral("1"));
        AddOrderShortDialog* dialog = AddOrderShortDialog::showDialog(values);
        futures(dialog)->sellButton()->click();
        QTRY_COMPARE(m_sent.size(), 1);
        QTRY_VERIFY(accountRows(deals) > dealsBefore);
        QVERIFY(accountRows(positions) > 0);
    }

    void anOrderTheAccountsMoneyLimitCannotCoverIsRefused()
    {
        // Given an account whose money limit is used up
        Record limit = m_market->table(QStringLiteral("money_limits"))->findByKeyText(m_account);
        limit.data(QStringLiteral("used")) = number(limit, "limit");
        limit.updated();
        AddOrderShortDialog* dialog = showRestingBuy();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));

        // When the order goes out with the form's money check on
        answerDialog<ConfirmationDialog>([](ConfirmationDialog* c) { QTest::keyClick(c, Qt::Key_Return); });
        QTest::mouseClick(futures(dialog)->buyButton(), Qt::LeftButton);

        // Then the exchange refuses it and says why
        QTRY_COMPARE(m_sent.size(), 1);
        QCOMPARE(m_sent.first().values().value(QStringLiteral("dont_check_money")), QVariant(false));
        QVERIFY(m_market->core.recentNotifications().last().contains(
            QStringLiteral("денежного лимита счёта %1 не хватает").arg(m_account)));
    }

    // The confirmation writes the price in the language's form, as the form's edit shows it.
    void theConfirmationWritesThePriceInTheLanguagesForm()
    {
        for (const Record& r : *m_market->table(QStringLiteral("securities"))->masterIndex()) {
            if (r.data(QStringLiteral("sectype")).toChar() == QLatin1Char('F')
                && r.data(QStringLiteral("board_id")).toInteger() == SampleMarket::FuturesBoard
                && r.data(QStringLiteral("decimals")).toInteger() > 0) {
                m_instrument = r;
                break;
            }
        }
        if (m_instrument.data(QStringLiteral("decimals")).toInteger() == 0)
            QSKIP("no futures with decimals in this sample");
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        AddOrderShortDialog* dialog = showRestingBuy();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QString asked;
        answerDialog<ConfirmationDialog>([&asked](ConfirmationDialog* c) {
            asked = c->text();
            QTest::keyClick(c, Qt::Key_Escape);
        });
        QTest::mouseClick(futures(dialog)->buyButton(), Qt::LeftButton);
        QTRY_VERIFY(!asked.isEmpty());
        QLocale::setDefault(before);
        const QString price = restingBuyPrice();
        QVERIFY2(price.contains(QLatin1Char('.')), qPrintable(price));
        QVERIFY2(asked.contains(
                     QStringLiteral(" по цене %1 ").arg(QString(price).replace(QLatin1Char('.'), QLatin1Char(',')))),
            qPrintable(asked));
        QVERIFY(m_sent.isEmpty());
    }

    void escapeCancelsAndSendsNothing()
    {
        AddOrderShortDialog* dialog = AddOrderShortDialog::showDialog(textId());
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QPointer<AddOrderShortDialog> open(dialog);
        QTest::keyClick(dialog, Qt::Key_Escape);
        QTRY_VERIFY(!open);
        QTest::qWait(20);
        QVERIFY(m_sent.isEmpty());
    }

    // Whatever is missing or wrong keeps the buttons off and its label red; nothing goes out.
    void incompleteOrWrongInputIsRefused()
    {
        AddOrderShortDialog dialog(AddOrderShortDialog::secKeyToValues(textId()));
        FutOrder* form = futures(&dialog);
        const auto refused = [&](QLabel* label) {
            return !form->validate() && !form->buyButton()->isEnabled()
                && label->styleSheet() == QStringLiteral("color: red");
        };
        form->setPrice(IPrice(restingBuyPrice()));
        form->setQuantity(QStringLiteral("2"));
        QVERIFY(refused(labelOf(form, form->accountBox())));
        form->setAccount(m_account);
        QVERIFY(form->validate() && form->buyButton()->isEnabled());
        form->setQuantity(QStringLiteral("0"));
        QVERIFY(!form->validate());
        form->setQuantity(QStringLiteral("2"));
        // A price typed with letters is no price.
        form->priceEditor()->setFocus();
        form->priceEditor()->selectAll();
        QTest::keyClicks(form->priceEditor(), QStringLiteral("abc"));
        QVERIFY(refused(labelOf(form, form->priceEditor())));
        form->setPrice(IPrice(restingBuyPrice()));
        // An iceberg whose visible part is all of it.
        form->orderMore()->setOrderType(QStringLiteral("4"));
        form->orderMore()->visibleEditor()->setValue(QStringLiteral("2"));
        QVERIFY(!form->validate());
        form->orderMore()->visibleEditor()->setValue(QStringLiteral("1"));
        QVERIFY(form->validate());
        QCOMPARE(form->description().kind, 149);
        // A dialog opened on a board with no instrument chosen yet.
        AppSettings(QStringLiteral("OrderShortDialog")).remove(QStringLiteral("sec_id"));
        AddOrderShortDialog empty(
            { { QStringLiteral("StockId"), 1 }, { QStringLiteral("BoardId"), SampleMarket::FuturesBoard },
                { QStringLiteral("Account"), m_account }, { QStringLiteral("Quantity"), QStringLiteral("1") } });
        FutOrder* emptyForm = futures(&empty);
        QVERIFY(!emptyForm->validate() && !emptyForm->buyButton()->isEnabled());
        QCOMPARE(labelOf(emptyForm, emptyForm->securityBox())->styleSheet(), QStringLiteral("color: red"));
        QVERIFY(m_sent.isEmpty());
    }

    // An iceberg chosen where the board takes one is an order type of that board's panel only: on an address
    // board, whose panel offers no type, the order is a plain one; on a priced board that takes no iceberg the
    // transaction's label is marked.
    void anIcebergCountsOnlyWhereItsTypeIsOffered()
    {
        AddOrderShortDialog dialog(AddOrderShortDialog::secKeyToValues(textId()));
        FutOrder* form = futures(&dialog);
        QLabel* transaction = nullptr;
        for (QLabel* label : form->findChildren<QLabel*>()) {
            if (label->text() == QStringLiteral("Транзакция:"))
                transaction = label;
        }
        QVERIFY(transaction);
        const auto marked = [&] {
            form->validate();
            return transaction->styleSheet() == QStringLiteral("color: red");
        };
        form->setAccount(m_account);
        form->setPrice(IPrice(restingBuyPrice()));
        form->setQuantity(QStringLiteral("2"));
        form->orderMore()->setOrderType(QStringLiteral("4"));
        form->orderMore()->visibleEditor()->setValue(QStringLiteral("1"));
        QCOMPARE(form->description().kind, 149);
        QVERIFY(!marked());

        // Board 2 takes no iceberg.
        form->setBoardId(2);
        QCOMPARE(form->description().kind, 0);
        QVERIFY(marked());

        // Board 2 as an address board: the panel shows the partner's fields, the order is a plain one.
        Table* boards = m_market->table(QStringLiteral("boards"));
        {
            RecordsTrans trans(boards);
            RecordUpdater(Record(boards, QStringLiteral("1,2")), trans).data(QStringLiteral("flags"))
                = HostSchema::BoardTrade | HostSchema::BoardAddress;
        }
        form->setBoardId(14);
        form->setBoardId(2);
        QVERIFY(form->isPartnerShown());
        QCOMPARE(form->description().kind, 10);
        QVERIFY(!marked());
    }

    // A price off the step goes to the price check: "correct" puts the checked price in the form and sends
    // nothing.
    void priceOffTheStepIsCorrectedAndNothingSent()
    {
        AddOrderShortDialog dialog(AddOrderShortDialog::secKeyToValues(textId()));
        dialog.show();
        FutOrder* form = futures(&dialog);
        form->setAccount(m_account);
        form->setQuantity(QStringLiteral("1"));
        const int decimals = m_instrument.data(QStringLiteral("decimals")).toInteger();
        const decimal good = decimal::fromString(restingBuyPrice());
        form->setPrice(IPrice((good + decimal(1, decimals)).toString()));
        QString said;
        answerDialog<AddOrderCheckDialog>([&](AddOrderCheckDialog* check) {
            said = check->windowTitle();
            check->findChildren<QPushButton*>().at(1)->click(); // correct
        });
        form->buyButton()->click();
        QCOMPARE(said, QStringLiteral("Проверка на кратность"));
        QCOMPARE(decimal::fromString(form->price().text()), good);
        QVERIFY(dialog.isVisible());

        QTest::qWait(20);
        QVERIFY(m_sent.isEmpty());
    }

    // The postponed mode asks nothing, sends nothing and hands back what it built, the side and the state of
    // the price limits box included (read before the dialog hides).
    void postponedOrderIsHandedBack()
    {
        Values values = AddOrderShortDialog::secKeyToValues(textId());
        values.insert(QStringLiteral("postponedOrder"), true);
        values.insert(QStringLiteral("Account"), m_account);
        values.insert(QStringLiteral("Price"), restingBuyPrice());
        values.insert(QStringLiteral("Quantity"), QStringLiteral("4"));
        for (const bool checked : { true, false }) {
            auto* dialog = new AddOrderShortDialog(values);
            dialog->show();
            QCheckBox* limits = nullptr;
            for (QCheckBox* box : futures(dialog)->findChildren<QCheckBox*>()) {
                if (box->text() == QStringLiteral("Проверять лимиты цен опционов"))
                    limits = box;
            }
            QVERIFY(limits && !limits->isVisibleTo(dialog)); // a future's order: the option limits are not asked
            limits->setChecked(checked);
            QSignalSpy accepted(dialog, &AddOrderShortDialog::accepted);
            futures(dialog)->sellButton()->click();
            QCOMPARE(accepted.count(), 1);
            const Values handed = accepted.first().at(0).value<Values>();
            QCOMPARE(handed.value(QStringLiteral("BuySell")).toString(), QStringLiteral("S"));
            QCOMPARE(handed.value(QStringLiteral("Quantity")).toString(), QStringLiteral("4"));
            QCOMPARE(handed.value(QStringLiteral("check_limit")).toBool(), checked);
            const auto transaction = accepted.first().at(1).value<RawTransactionPtr>();
            QVERIFY(transaction);
            QCOMPARE(transaction->description().kind, 10);
            QCOMPARE(transaction->values().value(QStringLiteral("check_limit")).toBool(), checked);
        }
        QTest::qWait(20);
        QVERIFY(m_sent.isEmpty());
    }

    // A postponed order the host cannot build is refused with the reason; the dialog stays and hands nothing.
    void postponedOrderThatCannotBeBuiltStays()
    {
        TransactionDescription strict = m_market->core.sender()->description(1, 10);
        strict.required << QStringLiteral("Login");
        m_market->core.sender()->registerDescription(strict);
        Values values = AddOrderShortDialog::secKeyToValues(textId());
        values.insert(QStringLiteral("postponedOrder"), true);
        values.insert(QStringLiteral("Account"), m_account);
        values.insert(QStringLiteral("Price"), restingBuyPrice());
        values.insert(QStringLiteral("Quantity"), QStringLiteral("4"));
        AddOrderShortDialog dialog(values);
        dialog.show();
        QSignalSpy accepted(&dialog, &AddOrderShortDialog::accepted);
        QString said;
        answerDialog<QMessageBox>([&](QMessageBox* box) {
            said = box->windowTitle() + QLatin1Char('|') + box->text();
            box->accept();
        });
        futures(&dialog)->buyButton()->click();
        QVERIFY2(said.startsWith(QStringLiteral("Ошибка добавления отложенной заявки|Невозможно сформировать заявку: "))
                && said.contains(QStringLiteral("Login")),
            qPrintable(said));
        QVERIFY(dialog.isVisible());
        QCOMPARE(accepted.count(), 0);
    }

    void boardsLayTheFormOut()
    {
        FutOrder form;
        form.setBoardId(11);
        QCOMPARE(form.priceLabel()->text(), QStringLiteral("&Своп-Цена:"));
        QVERIFY(form.isPriceShown());
        // Only a board the directory calls an address board asks for a partner; the sample market has none
        // with prices.
        QVERIFY(!form.isPartnerShown());
        form.setBoardId(14);
        QCOMPARE(form.priceLabel()->text(), QStringLiteral("&Цена:"));
        form.setBoardId(17);
        QVERIFY(!form.isPriceShown());

        // A market without a form: the empty page, and no form for the dialog.
        FormSelector selector;
        QSignalSpy changed(&selector, &FormSelector::changedForm);
        selector.setForm(7);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().at(0).value<AddOrder*>(), static_cast<AddOrder*>(nullptr));
        selector.setForm(1);
        AddOrder* first = selector.currentForm();
        selector.setForm(7);
        selector.setForm(1);
        QCOMPARE(selector.currentForm(), first); // made once
    }

    void clearingRequestOpensOnTheFirstMarketWithTheMarketFixed()
    {
        AddOrderShortDialog* dialog = AddOrderShortDialog::showDialog(Values(), true);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Запрос ЗРБ"));
        QCOMPARE(dialog->stockSelector()->getStockId(), 1);
        QVERIFY(!dialog->stockSelector()->isEnabled());
        delete dialog;
    }
};

QTEST_MAIN(tst_AddOrderShortDialog)
#include "tst_addordershortdialog.moc"
