#pragma once

#include "orders/addordershortdialog.h"

class AddOrderShortDialogPrivate
{
public:
    StockSelectorBox* stocks;
    FormSelector* selector;
    QFormLayout* markets = nullptr;
    QString title; // the caller's, if any
    bool clearingRequest = false;
    AddOrderCheckDialog* check;
    QPointer<AddOrder> form;
    QChar side = QLatin1Char('B');
    int checkResult = 0;
    bool postponed = false;
    RawTransactionPtr transaction;
};
