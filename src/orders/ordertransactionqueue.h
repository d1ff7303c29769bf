#pragma once

#include "basic_views_export.h"
#include "core/host/itransactionsender.h"

#include <QCoreApplication>

class QDialog;

// How an order dialog hands its transaction to the host. Building: a parameter the sender refuses is shown as
// "Невозможно сформировать заявку: <reason>" under the dialog's error title. Sending: the transaction's timer
// restarts and it is queued; once queued the dialog closes with accept(). A refusal the sender explains, or a
// transaction it did not queue, is shown under "Ошибка отправки заявки" and leaves the dialog open for another
// try; any other failure rejects it.
class BASIC_VIEWS_EXPORT OrderTransactionQueue
{
    Q_DECLARE_TR_FUNCTIONS(OrderTransactionQueue)
public:
    // Null when it cannot be built (the reason shown under `errorTitle`, or "Ошибка отправки заявки" when empty).
    static RawTransactionPtr build(QDialog* dialog, const TransactionDescription& description, const Values& values,
        const QString& errorTitle = QString());
    // True when the transaction was queued.
    static bool send(QDialog* dialog, const RawTransactionPtr& transaction);
    // A transaction's number (in C form, as the forms give it) in the language's form, for the texts that ask the
    // trader to confirm it; any other text as it is.
    static QString shownNumber(const QString& value);
};
