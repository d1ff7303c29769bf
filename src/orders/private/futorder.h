#pragma once

#include "orders/addorder.h"

class AccountSelectorBox;
class BoardSelectorBox;
class NumberEditor;
class OrderAddressMore;
class OrderMore;
class PartnerSelectorBox;
class PushButtonSend;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QuantityEditor;
class SecuritySelectorBox;

// The order form of the derivatives market: board, instrument, account, price, quantity and, on the address
// boards, the partner; buy, sell and cancel buttons; a collapsible panel of extra fields that depends on the
// board (the order type and iceberg parts on the anonymous boards, the deal reference on the address ones).
// The form is valid when every field its board needs is filled; the labels of missing ones turn red, and the
// buy and sell buttons wait for a valid form.
class BASIC_VIEWS_EXPORT FutOrder : public AddOrder
{
    Q_OBJECT
public:
    explicit FutOrder(QWidget* parent = nullptr);

    int stockId() const override { return m_stockId; }
    void setStockId(int stock) override;
    int boardId() const override;
    // Remembered as the last board of the new order dialog.
    void setBoardId(int board) override;
    qint64 securityId() const override;
    bool setSecurityId(qint64 security) override;
    QString account() const override;
    void setAccount(const QString& account) override;
    IPrice price() const override;
    void setPrice(const IPrice& price) override;
    QString quantity() const override;
    void setQuantity(const QString& quantity) override;
    QString partner() const override;
    void setPartner(const QString& partner) override;
    QString orderType() const override;
    void setOrderType(const QString& type) override;
    Values values() const override;
    void setValues(const Values& values) override;
    TransactionDescription description() const override;
    QChar buySell() const override { return m_side; }
    void setBuySell(QChar side) override;
    bool validate() override;

    // The widgets, for the dialog's focus and for tests.
    BoardSelectorBox* boardBox() const { return m_board; }
    SecuritySelectorBox* securityBox() const { return m_security; }
    AccountSelectorBox* accountBox() const { return m_account; }
    NumberEditor* priceEditor() const { return m_price; }
    QuantityEditor* quantityEditor() const { return m_quantity; }
    PartnerSelectorBox* partnerBox() const { return m_partner; }
    OrderMore* orderMore() const { return m_more; }
    QPushButton* buyButton() const;
    QPushButton* sellButton() const;
    QPushButton* cancelButton() const { return m_cancel; }
    QLabel* priceLabel() const { return m_priceLabel; }
    bool isPartnerShown() const;
    bool isPriceShown() const;

protected:
    // A language change names the fields and buttons again.
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void onBoardChanged(int board);
    void onSecurityChanged();
    void onChanged();
    // The rows of a board: price label and row, partner row, extra panel, option price limits.
    void layOutBoard(int board);
    bool isAddressBoard() const;
    // The order type "4" on a board whose panel offers the type.
    bool isIceberg() const;

    int m_stockId = 1;
    QChar m_side = QLatin1Char('B');
    BoardSelectorBox* m_board;
    SecuritySelectorBox* m_security;
    AccountSelectorBox* m_account;
    NumberEditor* m_price;
    QuantityEditor* m_quantity;
    NumberEditor* m_yield;
    PartnerSelectorBox* m_partner;
    QLineEdit* m_comment;
    QLineEdit* m_transaction;
    QCheckBox* m_limits;
    QGroupBox* m_extras;
    QStackedWidget* m_extraPages;
    OrderMore* m_more;
    OrderAddressMore* m_addressMore;
    PushButtonSend* m_buy;
    PushButtonSend* m_sell;
    QPushButton* m_cancel;
    QLabel* m_boardLabel;
    QLabel* m_securityLabel;
    QLabel* m_accountLabel;
    QLabel* m_priceLabel;
    QLabel* m_quantityLabel;
    QLabel* m_yieldLabel;
    QLabel* m_partnerLabel;
    QLabel* m_commentLabel;
    QLabel* m_typeLabel;
};

// The form market 1 makes.
class BASIC_VIEWS_EXPORT FutureForm : public FutOrder
{
    Q_OBJECT
public:
    explicit FutureForm(QWidget* parent = nullptr)
        : FutOrder(parent)
    { }
};
