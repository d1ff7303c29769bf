#include "orders/moveorderdialog.h"

#include "core/host/directories/securitydirectory.h"
#include "core/host/icore.h"
#include "core/host/widgets/confirmationdialog.h"
#include "orders/addordercheckdialog.h"
#include "orders/moveorder.h"
#include "orders/ordertransactionqueue.h"

#include <QEvent>
#include <QVBoxLayout>

MoveOrderDialog::MoveOrderDialog(const Values& values, QWidget* parent)
    : QDialog(parent)
    , m_check(new AddOrderCheckDialog(this))
    , m_form(new MoveOrder(this))
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_form);
    connect(m_form, &MoveOrder::cancel, this, &QDialog::reject);
    connect(m_form, &MoveOrder::changedBuySell, this, &MoveOrderDialog::trade);

    m_title = values.value(QStringLiteral("addOrderWindowTitle")).toString();
    retranslate();
    for (const char* name : { "OrderId", "qrb_request", "is_iceberg" }) {
        const QString key = QString::fromLatin1(name);
        if (values.contains(key))
            setProperty(name, values.value(key));
    }
    m_form->setIceberg(values.value(QStringLiteral("is_iceberg")).toBool());
    m_form->setStockId(values.value(QStringLiteral("StockId")).toInt());
    m_form->setBoardId(values.value(QStringLiteral("BoardId")).toInt());
    m_form->setSecurity(values.value(QStringLiteral("Security")).toString());
    m_form->setAccount(values.value(QStringLiteral("Account")).toString());
    m_form->setPrice(values.value(QStringLiteral("Price")).toString());
    m_form->setQuantity(values.value(QStringLiteral("Quantity")).toString());
    const QString side = values.value(QStringLiteral("BuySell")).toString();
    m_form->setBuySell(side.startsWith(QLatin1Char('B')) ? QLatin1Char('B') : QLatin1Char('S'));
}

void MoveOrderDialog::retranslate()
{
    setWindowTitle(m_title.isEmpty() ? tr("Изменение заявки") : m_title);
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
    m_form->setBuySell(side);
    if (const RawTransactionPtr transaction = makeTransaction())
        OrderTransactionQueue::send(this, transaction);
}

RawTransactionPtr MoveOrderDialog::makeTransaction()
{
    const int stock = m_form->stockId();
    const int board = m_form->boardId();
    const QString textId = SecurityDirectory::i()->textIdById(stock, board, m_form->securityId());
    const QString typed = m_form->priceText();
    const decimal price = typed.isEmpty() ? decimal::minimum() : decimal::fromString(typed);
    m_check->checkPrice(board, price, textId);
    const int answer = m_check->exec();
    if (answer == AddOrderCheckDialog::Cancel)
        return {};
    m_form->setPrice(m_check->resultPrice());
    if (answer == AddOrderCheckDialog::Correct)
        return {};

    const QString orderId = property("OrderId").toString();
    Values parameters { { QStringLiteral("StockId"), stock }, { QStringLiteral("BoardId"), board },
        { QStringLiteral("Security"), m_form->securityCode() }, { QStringLiteral("Account"), m_form->account() },
        { QStringLiteral("Mode"), QStringLiteral("3") } };
    if (stock == 1) {
        parameters.insert(QStringLiteral("Price"), m_form->priceText());
        parameters.insert(QStringLiteral("price1"), m_form->priceText());
        parameters.insert(QStringLiteral("amount1"), m_form->quantityText());
        parameters.insert(QStringLiteral("check_limit"), m_form->checkLimits());
        parameters.insert(QStringLiteral("OrderId"), orderId);
        parameters.insert(QStringLiteral("order_id1"), orderId);
        parameters.insert(QStringLiteral("qrb_request"), property("qrb_request"));
    }
    const RawTransactionPtr transaction = OrderTransactionQueue::build(this, m_form->description(), parameters);
    if (!transaction)
        return {};

    ConfirmationDialog confirmation(this);
    confirmation.setWindowTitle(tr("Отправка заявки"));
    confirmation.setSettingsKey(QStringLiteral("questionOnMoveOrder"));
    const QString side = m_form->buySell() == QLatin1Char('B') ? tr("покупку") : tr("продажу");
    if (m_form->isIceberg())
        confirmation.setText(
            tr("Вы действительно хотите изменить заявку на %1 со счета %2 номер %3 по цене %4?")
                .arg(side, m_form->account(), orderId, OrderTransactionQueue::shownNumber(m_form->priceText())));
    else
        confirmation.setText(tr("Вы действительно хотите изменить заявку на %1 со счета %2 номер %3? Объем новой "
                                "заявки будет меньше указанного на размер сведенной части, были указаны количество "
                                "%4 и цена %5.")
                                 .arg(side, m_form->account(), orderId, m_form->quantityText(),
                                     OrderTransactionQueue::shownNumber(m_form->priceText())));
    if (confirmation.shouldShowDialog() && confirmation.exec() != QDialog::Accepted)
        return {};
    return transaction;
}
