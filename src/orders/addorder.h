#pragma once

#include "basic_views_export.h"
#include "orders/iaddorder.h"

#include <QWidget>

// The base of the order forms: a widget with the order-form and validation interfaces, and the signals the
// dialog listens to.
class BASIC_VIEWS_EXPORT AddOrder : public QWidget, public IAddOrder, public IValidateForm
{
    Q_OBJECT
    Q_INTERFACES(IAddOrder IValidateForm)
public:
    using QWidget::QWidget;

Q_SIGNALS:
    void cancel();
    // A buy ('B') or sell ('S') button was pressed.
    void changedBuySell(const QChar& side);
};
