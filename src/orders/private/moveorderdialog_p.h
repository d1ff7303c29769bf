#pragma once

#include "orders/moveorderdialog.h"

class MoveOrderDialogPrivate
{
public:
    AddOrderCheckDialog* check;
    MoveOrder* form;
    QString title;
};
