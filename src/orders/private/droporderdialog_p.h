#pragma once

#include "orders/droporderdialog.h"

class DropOrdersDialogPrivate
{
public:
    int mode = -1;
    QLabel* label;
    StockSelectorBox* stock;
    AccountSelectorBox* account;
    QDialogButtonBox* buttons;
    QFormLayout* form;
};
