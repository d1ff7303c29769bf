#pragma once

#include "basic_views_export.h"

#include <QDialog>
#include <QScopedPointer>

class AccountSelectorBox;
class QDialogButtonBox;
class QFormLayout;
class QLabel;
class StockSelectorBox;

class DropOrdersDialogPrivate;

// Withdraws, in one request to the exchange, the active orders of a client account (7 characters) or of a
// whole brokerage firm (4 characters): all of them, the buy or the sell orders, or those outside the price
// limits. Nothing goes out before the user confirms; a declined confirmation leaves the dialog as it was.
class BASIC_VIEWS_EXPORT DropOrdersDialog : public QDialog
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, DropOrdersDialog)
public:
    enum Mode { All = 0, Buy = 1, Sell = 2, OutsideLimits = 3 };

    explicit DropOrdersDialog(QWidget* parent = nullptr);
    ~DropOrdersDialog() override;
    // Opens the dialog over the host's main window without blocking.
    static DropOrdersDialog* showDialog(int mode);

    void setMode(int mode);
    int mode() const;
    int getStockId() const;
    QString getAccount() const;
    StockSelectorBox* stockSelector() const;
    AccountSelectorBox* accountSelector() const;

public Q_SLOTS:
    // OK only for a code of 4 or 7 characters on market 1.
    void invalidate();
    void accept() override;

protected:
    void send();
    // A language change names the dialog, its fields and buttons again.
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    // Builds and queues the request; throws a message text.
    void sendRequest(int stockId, int kind, const QString& side);
    QScopedPointer<DropOrdersDialogPrivate> m_d;
};
