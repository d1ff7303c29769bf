#pragma once

#include "models/checkeditemmodelbytable.h"

class CheckedItemModelByTablePrivate
{
public:
    QList<CheckedItemModelByTable::Item> items;
    bool itemsCheckable = true;
};
