#pragma once

#include "basic_views_export.h"
#include "core/host/itransactionsender.h"

#include <QDialog>
#include <QPointer>
#include <QScopedPointer>

class AddOrder;
class AddOrderCheckDialog;
class FormSelector;
class QFormLayout;
class StockSelectorBox;

class AddOrderShortDialogPrivate;

// The new order dialog: a market, that market's order form, and the buy and sell buttons of the form. A press
// of either checks the price against the instrument's step and limits, asks for confirmation and queues one
// new-order transaction; the dialog closes once it is queued. In the postponed mode nothing is asked or sent:
// the dialog hands the values and the built transaction to its caller (accepted()). A clearing-house request
// is the same dialog on market 1 with the market fixed.
class BASIC_VIEWS_EXPORT AddOrderShortDialog : public QDialog
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, AddOrderShortDialog)
public:
    // Values by name: "postponedOrder", "addOrderWindowTitle", "StockId", "BoardId", "Security", "Account",
    // "Price", "PriceBuy", "PriceSell", "Quantity", "BuySell", "Partner", "DateExp", "Type",
    // "disclose_const_amount", "variance_amount", "qrb_request". Missing ones fall back to the last order's
    // market, board and instrument.
    explicit AddOrderShortDialog(const Values& values = Values(), QWidget* parent = nullptr);
    ~AddOrderShortDialog() override;

    // Opens the dialog over the host's main window without blocking.
    static AddOrderShortDialog* showDialog(Values values, bool qrbRequest = false);
    // The same for one instrument, by its text id.
    static AddOrderShortDialog* showDialog(const QString& textId, bool qrbRequest = false);
    // "StockId", "BoardId", "Security" of an instrument's text id; empty for an unknown one.
    static Values secKeyToValues(const QString& textId);

    AddOrder* form() const;
    FormSelector* formSelector() const;
    StockSelectorBox* stockSelector() const;
    AddOrderCheckDialog* checkDialog() const;
    bool isPostponed() const;
    // Puts the values into the form.
    void setValues(const Values& values);

public Q_SLOTS:
    // Builds the order for the side; sends it, or in the postponed mode hands it over.
    void trade(const QChar& side);
    // Closes and emits accepted() with the form's values and the last transaction built.
    void accept() override;

Q_SIGNALS:
    void accepted(const Values& values, const RawTransactionPtr& transaction);

protected:
    // A language change names the dialog and its fields again.
    void changeEvent(QEvent* event) override;
    // Null when the user cancels or corrects at a price check, declines the confirmation, or it cannot be built.
    RawTransactionPtr makeTransaction();

private Q_SLOTS:
    void onChangedForm(AddOrder* form);

private:
    void retranslate();
    // Runs one price text through the check; false when the order stops there.
    bool checkPrice(int board, const QString& textId, QString& text);
    QString confirmationText(int board, const Values& values) const;
    QScopedPointer<AddOrderShortDialogPrivate> m_d;
};
