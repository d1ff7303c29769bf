#pragma once

#include "basic_views_export.h"
#include "core/db/decimal.h"
#include "core/host/itransactionsender.h"

#include <QColor>
#include <QWidget>

class AccountSelectorBox;
class BoardSelectorBox;
class NumberEditor;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QuantityEditor;
class SecuritySelectorBox;

// The form of the order change dialog: the order's market, board, instrument and account as they are, the new
// price and quantity. Sending is possible only when the market, board and order kind have a change transaction
// and the price or the quantity differs from the order's.
class BASIC_VIEWS_EXPORT MoveOrder : public QWidget
{
    Q_OBJECT
public:
    explicit MoveOrder(QWidget* parent = nullptr);

    void setStockId(int stock);
    int stockId() const { return m_stockId; }
    void setBoardId(int board);
    int boardId() const;
    // False when the market and board have no such instrument.
    bool setSecurity(const QString& code);
    qint64 securityId() const;
    QString securityCode() const;
    void setAccount(const QString& code);
    QString account() const;
    void setBuySell(QChar side);
    QChar buySell() const { return m_side; }
    // An iceberg order changes its price only: the quantity is not shown.
    void setIceberg(bool iceberg);
    bool isIceberg() const { return m_iceberg; }
    QString priceText() const;
    QString quantityText() const;
    // The option price limits box's checked state, whether the box is shown or not.
    bool checkLimits() const;
    // The change transaction's kind for a market, board and order kind; 0 when there is none.
    static int transactionKind(int stock, int board, bool iceberg);
    TransactionDescription description() const { return m_description; }
    bool canSend() const;
    NumberEditor* priceEditor() const { return m_price; }
    QuantityEditor* quantityEditor() const { return m_quantity; }

public Q_SLOTS:
    // The first price and quantity given are the order's own.
    void setPrice(const QString& text);
    void setQuantity(const QString& text);

Q_SIGNALS:
    void cancel();
    void changedBuySell(const QChar& side);

protected:
    // A language change names the fields and buttons again.
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void onChanged();
    bool validate();

    int m_stockId = 0;
    decimal m_initialPrice = decimal::minimum();
    qint64 m_initialQuantity = 0;
    QChar m_side = QLatin1Char('B');
    QColor m_buyColor;
    QColor m_sellColor;
    bool m_iceberg = false;
    TransactionDescription m_description;
    BoardSelectorBox* m_board;
    SecuritySelectorBox* m_security;
    AccountSelectorBox* m_account;
    NumberEditor* m_price;
    QuantityEditor* m_quantity;
    QLineEdit* m_transaction;
    QCheckBox* m_limits;
    QLabel* m_priceLabel;
    QLabel* m_quantityLabel;
    QPushButton* m_send;
    QPushButton* m_cancel;
    QLabel* m_labels[4] = {}; // board, instrument, account, transaction
};
