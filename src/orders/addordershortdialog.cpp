#include "orders/addordershortdialog.h"

#include "core/db/appsettings.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/icore.h"
#include "core/host/securitykey.h"
#include "core/host/selectors/stockselectorbox.h"
#include "core/host/widgets/confirmationdialog.h"
#include "orders/addorder.h"
#include "orders/addordercheckdialog.h"
#include "orders/formselector.h"
#include "orders/ordertransactionqueue.h"

#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const char* const SettingsGroup = "OrderShortDialog";
constexpr int ClearingBoard = 17;

} // namespace

AddOrderShortDialog::AddOrderShortDialog(const Values& values, QWidget* parent)
    : QDialog(parent)
    , m_stocks(new StockSelectorBox(this))
    , m_selector(new FormSelector(this))
    , m_check(new AddOrderCheckDialog(this))
{
    // accepted() carries it through queued connections and signal spies.
    qRegisterMetaType<RawTransactionPtr>();
    qRegisterMetaType<Values>("Values");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_postponed = values.value(QStringLiteral("postponedOrder")).toBool();
    m_check->setPostponedOrderProperty(m_postponed);
    m_title = values.value(QStringLiteral("addOrderWindowTitle")).toString();
    setProperty("qrb_request", values.value(QStringLiteral("qrb_request"), 0));

    m_markets = new QFormLayout;
    m_markets->addRow(new QLabel(this), m_stocks);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_markets);
    layout->addWidget(m_selector);
    connect(m_stocks, &StockSelectorBox::stockChanged, m_selector, &FormSelector::setForm);
    connect(m_selector, &FormSelector::changedForm, this, &AddOrderShortDialog::onChangedForm);
    if (AppSettings(QStringLiteral("Kestrel2")).value(QStringLiteral("TARVEN"), false).toBool())
        m_stocks->setStockIdFilter({ 1 });

    // Where the order goes: the given instrument, else where the last one went.
    const AppSettings last { QLatin1String(SettingsGroup) };
    const int stock = values.value(QStringLiteral("StockId"), last.value(QStringLiteral("stock_id"), 0)).toInt();
    m_stocks->setStockId(stock);
    m_selector->setForm(m_stocks->getStockId());
    if (m_form && !values.contains(QStringLiteral("Security"))) {
        m_form->setBoardId(values.value(QStringLiteral("BoardId"), last.value(QStringLiteral("board_id"), 0)).toInt());
        m_form->setSecurityId(last.value(QStringLiteral("sec_id"), 0).toLongLong());
    }
    setValues(values);
    retranslate();
}

void AddOrderShortDialog::retranslate()
{
    // A caller's title is the caller's to name again.
    if (m_clearingRequest)
        setWindowTitle(tr("Запрос ЗРБ"));
    else
        setWindowTitle(m_title.isEmpty() ? tr("Ввод заявки") : m_title);
    if (auto* label = qobject_cast<QLabel*>(m_markets->labelForField(m_stocks)))
        label->setText(tr("Рынок:"));
}

void AddOrderShortDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

AddOrderShortDialog* AddOrderShortDialog::showDialog(Values values, bool qrbRequest)
{
    if (qrbRequest) {
        values.insert(QStringLiteral("StockId"), 1);
        values.insert(QStringLiteral("qrb_request"), 1);
    }
    auto* dialog = new AddOrderShortDialog(values, ICore::dialogParent());
    dialog->m_clearingRequest = qrbRequest;
    dialog->retranslate();
    dialog->m_stocks->setEnabled(!qrbRequest);
    dialog->show();
    return dialog;
}

AddOrderShortDialog* AddOrderShortDialog::showDialog(const QString& textId, bool qrbRequest)
{
    return showDialog(secKeyToValues(textId), qrbRequest);
}

Values AddOrderShortDialog::secKeyToValues(const QString& textId)
{
    const SecurityKey key = SecurityKey::fromTextId(textId);
    if (!key.isValid())
        return {};
    return { { QStringLiteral("StockId"), key.stock }, { QStringLiteral("BoardId"), key.board },
        { QStringLiteral("Security"), SecurityDirectory::i()->codeById(key.stock, key.board, key.sec) } };
}

AddOrder* AddOrderShortDialog::form() const
{
    return m_form;
}

void AddOrderShortDialog::setValues(const Values& values)
{
    if (!m_form)
        return;
    Values forForm = values;
    forForm.remove(QStringLiteral("PriceBuy"));
    forForm.remove(QStringLiteral("PriceSell"));
    m_form->setValues(forForm);
    if (values.contains(QStringLiteral("PriceBuy")) || values.contains(QStringLiteral("PriceSell"))) {
        m_form->setPrice(IPrice(
            values.value(QStringLiteral("PriceBuy")).toString(), values.value(QStringLiteral("PriceSell")).toString()));
    }
    if (values.contains(QStringLiteral("BuySell")))
        m_side = m_form->buySell();
}

void AddOrderShortDialog::onChangedForm(AddOrder* form)
{
    if (m_form)
        disconnect(m_form, nullptr, this, nullptr);
    m_form = form;
    if (!form)
        return;
    connect(form, &AddOrder::cancel, this, &QDialog::reject);
    connect(form, &AddOrder::changedBuySell, this, &AddOrderShortDialog::trade);
    AppSettings(QLatin1String(SettingsGroup)).setValue(QStringLiteral("stock_id"), form->stockId());
    form->validate();
}

void AddOrderShortDialog::trade(const QChar& side)
{
    m_side = side;
    if (!m_form)
        return;
    m_form->setBuySell(side);
    m_transaction = makeTransaction();
    if (m_postponed) {
        // Nothing to hand over when the order was refused, corrected or could not be built: the form stays.
        if (m_transaction)
            accept();
        return;
    }
    if (m_transaction)
        OrderTransactionQueue::send(this, m_transaction);
}

void AddOrderShortDialog::accept()
{
    // Read while the form is shown: hiding it changes nothing the values say.
    Values values = m_form ? m_form->values() : Values();
    values.insert(QStringLiteral("BuySell"), QString(m_side));
    QDialog::accept();
    Q_EMIT accepted(values, m_transaction);
}

bool AddOrderShortDialog::checkPrice(int board, const QString& textId, QString& text)
{
    const decimal price = text.trimmed().isEmpty() ? decimal::minimum() : decimal::fromString(text.trimmed());
    m_check->checkPrice(board, price, textId);
    m_checkResult = m_check->exec();
    if (m_checkResult == AddOrderCheckDialog::Cancel)
        return false;
    text = m_check->resultPrice();
    return m_checkResult == AddOrderCheckDialog::Send;
}

RawTransactionPtr AddOrderShortDialog::makeTransaction()
{
    if (!m_form->validate())
        return {};
    const int stock = m_form->stockId();
    const int board = m_form->boardId();
    m_checkResult = AddOrderCheckDialog::Send;
    if (board != ClearingBoard) {
        const QString textId = SecurityDirectory::i()->textIdById(stock, board, m_form->securityId());
        IPrice price = m_form->price();
        for (int i = 0; i < price.count(); ++i) {
            QString text = price.text(i);
            const bool goOn = checkPrice(board, textId, text);
            if (m_checkResult != AddOrderCheckDialog::Cancel) {
                price.setText(i, text);
                m_form->setPrice(price);
            }
            if (!goOn)
                return {};
        }
    }
    Values values = m_form->values();
    values.insert(QStringLiteral("BuySell"), QString(m_side));
    values.insert(QStringLiteral("qrb_request"), property("qrb_request"));

    const RawTransactionPtr transaction = OrderTransactionQueue::build(
        this, m_form->description(), values, m_postponed ? tr("Ошибка добавления отложенной заявки") : QString());
    if (!transaction)
        return {};
    if (m_postponed)
        return transaction;

    ConfirmationDialog confirmation(this);
    confirmation.setWindowTitle(tr("Отправка заявки"));
    confirmation.setSettingsKey(QStringLiteral("questionOnAddOrder"));
    confirmation.setText(confirmationText(board, values));
    if (confirmation.shouldShowDialog() && confirmation.exec() != QDialog::Accepted)
        return {};
    return transaction;
}

QString AddOrderShortDialog::confirmationText(int board, const Values& values) const
{
    const QString side = m_side == QLatin1Char('B') ? tr("покупку") : tr("продажу");
    const QString price = OrderTransactionQueue::shownNumber(values.value(QStringLiteral("Price")).toString());
    const qint64 quantity = values.value(QStringLiteral("Quantity")).toLongLong();
    const QString account = values.value(QStringLiteral("Account")).toString();
    if (board == 10 || board == 11) {
        return tr("Вы действительно хотите поставить заявку на %1 со своп-ценой %2 в количестве %3 со счёта %4?")
            .arg(side, price)
            .arg(quantity)
            .arg(account);
    }
    if (board == ClearingBoard) {
        return tr("Вы действительно хотите отправить поручение по %1 в количестве %2 со счёта %3?")
            .arg(side)
            .arg(quantity)
            .arg(account);
    }
    return tr("Вы действительно хотите поставить заявку на %1 по цене %2 в количестве %3 со счёта %4?")
        .arg(side, price)
        .arg(quantity)
        .arg(account);
}
