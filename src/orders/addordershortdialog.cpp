#include "orders/addordershortdialog.h"
#include "orders/private/addordershortdialog_p.h"

#include "core/db/appsettings.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/icore.h"
#include "core/host/securitykey.h"
#include "core/host/selectors/stockselectorbox.h"
#include "core/host/widgets/confirmationdialog.h"
#include "orders/addorder.h"
#include "orders/ordertransactionqueue.h"
#include "orders/private/addordercheckdialog.h"
#include "orders/private/formselector.h"

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
    , m_d(new AddOrderShortDialogPrivate)
{
    Q_D(AddOrderShortDialog);
    d->stocks = new StockSelectorBox(this);
    d->selector = new FormSelector(this);
    d->check = new AddOrderCheckDialog(this);
    // accepted() carries it through queued connections and signal spies.
    qRegisterMetaType<RawTransactionPtr>();
    qRegisterMetaType<Values>("Values");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    d->postponed = values.value(QStringLiteral("postponedOrder")).toBool();
    d->check->setPostponedOrderProperty(d->postponed);
    d->title = values.value(QStringLiteral("addOrderWindowTitle")).toString();
    setProperty("qrb_request", values.value(QStringLiteral("qrb_request"), 0));

    d->markets = new QFormLayout;
    d->markets->addRow(new QLabel(this), d->stocks);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(d->markets);
    layout->addWidget(d->selector);
    connect(d->stocks, &StockSelectorBox::stockChanged, d->selector, &FormSelector::setForm);
    connect(d->selector, &FormSelector::changedForm, this, &AddOrderShortDialog::onChangedForm);
    if (AppSettings(QStringLiteral("Kestrel2")).value(QStringLiteral("TARVEN"), false).toBool())
        d->stocks->setStockIdFilter({ 1 });

    // Where the order goes: the given instrument, else where the last one went.
    const AppSettings last { QLatin1String(SettingsGroup) };
    const int stock = values.value(QStringLiteral("StockId"), last.value(QStringLiteral("stock_id"), 0)).toInt();
    d->stocks->setStockId(stock);
    d->selector->setForm(d->stocks->getStockId());
    if (d->form && !values.contains(QStringLiteral("Security"))) {
        d->form->setBoardId(values.value(QStringLiteral("BoardId"), last.value(QStringLiteral("board_id"), 0)).toInt());
        d->form->setSecurityId(last.value(QStringLiteral("sec_id"), 0).toLongLong());
    }
    setValues(values);
    retranslate();
}

AddOrderShortDialog::~AddOrderShortDialog() = default;

void AddOrderShortDialog::retranslate()
{
    Q_D(AddOrderShortDialog);
    // A caller's title is the caller's to name again.
    if (d->clearingRequest)
        setWindowTitle(tr("Запрос ЗРБ"));
    else
        setWindowTitle(d->title.isEmpty() ? tr("Ввод заявки") : d->title);
    if (auto* label = qobject_cast<QLabel*>(d->markets->labelForField(d->stocks)))
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
    dialog->d_func()->clearingRequest = qrbRequest;
    dialog->retranslate();
    dialog->d_func()->stocks->setEnabled(!qrbRequest);
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
    Q_D(const AddOrderShortDialog);
    return d->form;
}

void AddOrderShortDialog::setValues(const Values& values)
{
    Q_D(AddOrderShortDialog);
    if (!d->form)
        return;
    Values forForm = values;
    forForm.remove(QStringLiteral("PriceBuy"));
    forForm.remove(QStringLiteral("PriceSell"));
    d->form->setValues(forForm);
    if (values.contains(QStringLiteral("PriceBuy")) || values.contains(QStringLiteral("PriceSell"))) {
        d->form->setPrice(IPrice(
            values.value(QStringLiteral("PriceBuy")).toString(), values.value(QStringLiteral("PriceSell")).toString()));
    }
    if (values.contains(QStringLiteral("BuySell")))
        d->side = d->form->buySell();
}

void AddOrderShortDialog::onChangedForm(AddOrder* form)
{
    Q_D(AddOrderShortDialog);
    if (d->form)
        disconnect(d->form, nullptr, this, nullptr);
    d->form = form;
    if (!form)
        return;
    connect(form, &AddOrder::cancel, this, &QDialog::reject);
    connect(form, &AddOrder::changedBuySell, this, &AddOrderShortDialog::trade);
    AppSettings(QLatin1String(SettingsGroup)).setValue(QStringLiteral("stock_id"), form->stockId());
    form->validate();
}

void AddOrderShortDialog::trade(const QChar& side)
{
    Q_D(AddOrderShortDialog);
    d->side = side;
    if (!d->form)
        return;
    d->form->setBuySell(side);
    d->transaction = makeTransaction();
    if (d->postponed) {
        // Nothing to hand over when the order was refused, corrected or could not be built: the form stays.
        if (d->transaction)
            accept();
        return;
    }
    if (d->transaction)
        OrderTransactionQueue::send(this, d->transaction);
}

void AddOrderShortDialog::accept()
{
    Q_D(AddOrderShortDialog);
    // Read while the form is shown: hiding it changes nothing the values say.
    Values values = d->form ? d->form->values() : Values();
    values.insert(QStringLiteral("BuySell"), QString(d->side));
    QDialog::accept();
    Q_EMIT accepted(values, d->transaction);
}

bool AddOrderShortDialog::checkPrice(int board, const QString& textId, QString& text)
{
    Q_D(AddOrderShortDialog);
    const decimal price = text.trimmed().isEmpty() ? decimal::minimum() : decimal::fromString(text.trimmed());
    d->check->checkPrice(board, price, textId);
    d->checkResult = d->check->exec();
    if (d->checkResult == AddOrderCheckDialog::Cancel)
        return false;
    text = d->check->resultPrice();
    return d->checkResult == AddOrderCheckDialog::Send;
}

RawTransactionPtr AddOrderShortDialog::makeTransaction()
{
    Q_D(AddOrderShortDialog);
    if (!d->form->validate())
        return {};
    const int stock = d->form->stockId();
    const int board = d->form->boardId();
    d->checkResult = AddOrderCheckDialog::Send;
    if (board != ClearingBoard) {
        const QString textId = SecurityDirectory::i()->textIdById(stock, board, d->form->securityId());
        IPrice price = d->form->price();
        for (int i = 0; i < price.count(); ++i) {
            QString text = price.text(i);
            const bool goOn = checkPrice(board, textId, text);
            if (d->checkResult != AddOrderCheckDialog::Cancel) {
                price.setText(i, text);
                d->form->setPrice(price);
            }
            if (!goOn)
                return {};
        }
    }
    Values values = d->form->values();
    values.insert(QStringLiteral("BuySell"), QString(d->side));
    values.insert(QStringLiteral("qrb_request"), property("qrb_request"));

    const RawTransactionPtr transaction = OrderTransactionQueue::build(
        this, d->form->description(), values, d->postponed ? tr("Ошибка добавления отложенной заявки") : QString());
    if (!transaction)
        return {};
    if (d->postponed)
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
    Q_D(const AddOrderShortDialog);
    const QString side = d->side == QLatin1Char('B') ? tr("покупку") : tr("продажу");
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

FormSelector* AddOrderShortDialog::formSelector() const
{
    return d_func()->selector;
}

StockSelectorBox* AddOrderShortDialog::stockSelector() const
{
    return d_func()->stocks;
}

AddOrderCheckDialog* AddOrderShortDialog::checkDialog() const
{
    return d_func()->check;
}

bool AddOrderShortDialog::isPostponed() const
{
    return d_func()->postponed;
}
