#include "orders/ordertransactionqueue.h"

#include "core/db/decimal.h"
#include "core/host/icore.h"

#include <QDialog>
#include <QMessageBox>

RawTransactionPtr OrderTransactionQueue::build(
    QDialog* dialog, const TransactionDescription& description, const Values& values, const QString& errorTitle)
{
    try {
        ITransactionSender* sender = ICore::instance() ? ICore::instance()->transactions() : nullptr;
        if (!sender)
            throw QString();
        return sender->build(description, values);
    } catch (const QString& error) {
        QMessageBox::information(dialog, errorTitle.isEmpty() ? tr("Ошибка отправки заявки") : errorTitle,
            error.isEmpty() ? tr("Невозможно сформировать заявку") : tr("Невозможно сформировать заявку: ") + error);
        return {};
    }
}

bool OrderTransactionQueue::send(QDialog* dialog, const RawTransactionPtr& transaction)
{
    transaction->restartTimer();
    bool queued = false;
    try {
        queued = ICore::instance() && ICore::instance()->transactions()->queue(transaction);
    } catch (const QString& error) {
        QMessageBox::information(
            dialog, tr("Ошибка отправки заявки"), error.isEmpty() ? tr("Невозможно отправить заявку") : error);
        return false;
    } catch (...) {
        dialog->reject();
        return false;
    }
    if (queued) {
        dialog->accept();
        return true;
    }
    QMessageBox::information(
        dialog, tr("Ошибка отправки заявки"), tr("Транзакция по заявке не обработана (не добавлена в очередь)"));
    return false;
}

QString OrderTransactionQueue::shownNumber(const QString& value)
{
    bool ok = false;
    const decimal number = decimal::fromString(value, &ok);
    return ok ? number.toSystemString() : value;
}
