#include "orders/moveorderdialog.h"
#include "orders/private/moveorderdialog_p.h"

#include "core/host/directories/securitydirectory.h"
#include "core/host/icore.h"
#include "core/host/widgets/confirmationdialog.h"
#include "orders/ordertransactionqueue.h"
#include "orders/private/addordercheckdialog.h"
#include "orders/private/moveorder.h"

#include <QEvent>
#include <QVBoxLayout>

MoveOrderDialog::MoveOrderDialog(const Values& values, QWidget* parent)
    : QDialog(parent)
    , m_d(new MoveOrderDialogPrivate)
{
    Q_D(MoveOrderDialog);
    d->check = new AddOrderCheckDialog(this);
    d->form = new MoveOrder(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(d->form);
    connect(d->form, &MoveOrder::cancel, this, &QDialog::reject);
    connect(d->form, &MoveOrder::changedBuySell, this, &MoveOrderDialog::trade);

    d->title = values.value(QStringLiteral("addOrderWindowTitle")).toString();
    retranslate();
    for (const char* name : { "OrderId", "qrb_request", "is_iceberg" }) {
        const QString key = QString::fromLatin1(name);
        if (values.contains(key))
            setProperty(name, values.value(key));
    }
    d->form->setIceberg(values.value(QStringLiteral("is_iceberg")).toBool());
    d->form->setStockId(values.value(QStringLiteral("StockId")).toInt());
    d->form->setBoardId(values.value(QStringLiteral("BoardId")).toInt());
    d->form->setSecurity(values.value(QStringLiteral("Security")).toString());
    d->form->setAccount(values.value(QStringLiteral("Account")).toString());
    d->form->setPrice(values.value(QStringLiteral("Price")).toString());
    d->form->setQuantity(values.value(QStringLiteral("Quantity")).toString());
    const QString side = values.value(QStringLiteral("BuySell")).toString();
    d->form->setBuySell(side.startsWith(QLatin1Char('B')) ? QLatin1Char('B') : QLatin1Char('S'));
}

MoveOrderDialog::~MoveOrderDialog() = default;

void MoveOrderDialog::retranslate()
{
    Q_D(MoveOrderDialog);
    setWindowTitle(d->title.isEmpty() ? tr("Изменение заявки") : d->title);
}

void MoveOrderDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

MoveOrderDialog* MoveOrderDialog::showDialog(const Values& values)
{
    auto* dialog = new MoveOrderDialog(values, ICore::dialogParent());
    dialog->show();
    return dialog;
}

void MoveOrderDialog::trade(const QChar& side)
{
    Q_D(MoveOrderDialog);
    d->form->setBuySell(side);
    if (const RawTransactionPtr transaction = makeTransaction())
        OrderTransactionQueue::send(this, transaction);
}

RawTransactionPtr MoveOrderDialog::makeTransaction()
{
    Q_D(MoveOrderDialog);
    const int stock = d->form->stockId();
    const int board = d->form->boardId();
    const QString textId = SecurityDirectory::i()->textIdById(stock, board, d->form->securityId());
    const QString typed = d->form->priceText();
    const decimal price = typed.isEmpty() ? decimal::minimum() : decimal::fromString(typed);
    d->check->checkPrice(board, price, textId);
    const int answer = d->check->exec();
    if (answer == AddOrderCheckDialog::Cancel)
        return {};
    d->form->setPrice(d->check->resultPrice());
    if (answer == AddOrderCheckDialog::Correct)
        return {};

    const QString orderId = property("OrderId").toString();
    Values parameters { { QStringLiteral("StockId"), stock }, { QStringLiteral("BoardId"), board },
        { QStringLiteral("Security"), d->form->securityCode() }, { QStringLiteral("Account"), d->form->account() },
        { QStringLiteral("Mode"), QStringLiteral("3") } };
    if (stock == 1) {
        parameters.insert(QStringLiteral("Price"), d->form->priceText());
        parameters.insert(QStringLiteral("price1"), d->form->priceText());
        parameters.insert(QStringLiteral("amount1"), d->form->quantityText());
        parameters.insert(QStringLiteral("check_limit"), d->form->checkLimits());
        parameters.insert(QStringLiteral("OrderId"), orderId);
        parameters.insert(QStringLiteral("order_id1"), orderId);
        parameters.insert(QStringLiteral("qrb_request"), property("qrb_request"));
    }
    const RawTransactionPtr transaction = OrderTransactionQueue::build(this, d->form->description(), parameters);
    if (!transaction)
        return {};

    ConfirmationDialog confirmation(this);
    confirmation.setWindowTitle(tr("Отправка заявки"));
    confirmation.setSettingsKey(QStringLiteral("questionOnMoveOrder"));
    const QString side = d->form->buySell() == QLatin1Char('B') ? tr("покупку") : tr("продажу");
    if (d->form->isIceberg())
        confirmation.setText(
            tr("Вы действительно хотите изменить заявку на %1 со счета %2 номер %3 по цене %4?")
                .arg(side, d->form->account(), orderId, OrderTransactionQueue::shownNumber(d->form->priceText())));
    else
        confirmation.setText(tr("Вы действительно хотите изменить заявку на %1 со счета %2 номер %3? Объем новой "
                                "заявки будет меньше указанного на размер сведенной части, были указаны количество "
                                "%4 и цена %5.")
                                 .arg(side, d->form->account(), orderId, d->form->quantityText(),
                                     OrderTransactionQueue::shownNumber(d->form->priceText())));
    if (confirmation.shouldShowDialog() && confirmation.exec() != QDialog::Accepted)
        return {};
    return transaction;
}

MoveOrder* MoveOrderDialog::form() const
{
    return d_func()->form;
}

AddOrderCheckDialog* MoveOrderDialog::checkDialog() const
{
    return d_func()->check;
}
