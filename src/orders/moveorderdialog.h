#pragma once

#include "basic_views_export.h"
#include "core/host/itransactionsender.h"

#include <QDialog>
#include <QScopedPointer>

class AddOrderCheckDialog;
class MoveOrder;

class MoveOrderDialogPrivate;

// Changes the price and quantity of an active order: the new price is checked against the instrument's step
// and limits, the user confirms, and one change transaction goes to the host's transaction sender. The dialog
// closes once the transaction is queued; a refusal is shown and leaves the dialog open.
class BASIC_VIEWS_EXPORT MoveOrderDialog : public QDialog
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, MoveOrderDialog)
public:
    // Values by name: "StockId", "BoardId", "Security", "Account", "Price", "Quantity", "BuySell", "is_iceberg",
    // "OrderId", "qrb_request", "addOrderWindowTitle".
    explicit MoveOrderDialog(const Values& values, QWidget* parent = nullptr);
    ~MoveOrderDialog() override;
    // Opens the dialog over the host's main window without blocking.
    static MoveOrderDialog* showDialog(const Values& values);

    MoveOrder* form() const;
    AddOrderCheckDialog* checkDialog() const;

public Q_SLOTS:
    // Builds the change for the side and sends it.
    void trade(const QChar& side);

protected:
    // A language change names the dialog again (a caller's title stays the caller's).
    void changeEvent(QEvent* event) override;
    // Null when the user cancels at the price check or the confirmation, or when it cannot be built.
    RawTransactionPtr makeTransaction();

private:
    void retranslate();
    QScopedPointer<MoveOrderDialogPrivate> m_d;
};
