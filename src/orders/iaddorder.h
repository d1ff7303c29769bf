#pragma once

#include "core/host/itransactionsender.h"
#include "orders/iprice.h"

#include <QtPlugin>

// An order form as the order dialogs use it: where the order goes (market, board, instrument, account), what it
// asks (price, quantity, side, partner, order type), the parameters it gives the transaction and the kind of
// transaction it makes.
class IAddOrder
{
public:
    virtual ~IAddOrder() = default;

    virtual int stockId() const = 0;
    virtual void setStockId(int stock) = 0;
    virtual int boardId() const = 0;
    virtual void setBoardId(int board) = 0;
    virtual qint64 securityId() const = 0;
    // False when the board has no such instrument.
    virtual bool setSecurityId(qint64 security) = 0;
    virtual QString account() const = 0;
    virtual void setAccount(const QString& account) = 0;
    virtual IPrice price() const = 0;
    virtual void setPrice(const IPrice& price) = 0;
    virtual QString quantity() const = 0;
    virtual void setQuantity(const QString& quantity) = 0;
    virtual QString partner() const = 0;
    virtual void setPartner(const QString& partner) = 0;
    virtual QString orderType() const = 0;
    virtual void setOrderType(const QString& type) = 0;
    // The transaction's parameters, without the side.
    virtual Values values() const = 0;
    // Sets what the form has a field for; other keys are ignored.
    virtual void setValues(const Values& values) = 0;
    virtual TransactionDescription description() const = 0;
    virtual QChar buySell() const = 0;
    // The matching button becomes the default one.
    virtual void setBuySell(QChar side) = 0;
};

// A form that can tell whether it can be sent, marking what is missing.
class IValidateForm
{
public:
    virtual ~IValidateForm() = default;
    virtual bool validate() = 0;
};

#define IAddOrder_iid "Tavrin.IAddOrder/1.0"
Q_DECLARE_INTERFACE(IAddOrder, IAddOrder_iid)
#define IValidateForm_iid "Tavrin.IValidateForm/1.0"
Q_DECLARE_INTERFACE(IValidateForm, IValidateForm_iid)
