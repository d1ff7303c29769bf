#pragma once

#include "delegates/itemdelegatebuysell.h"
#include "delegates/private/itemdelegate_p.h"

class ItemDelegateBuySellPrivate : public ItemDelegatePrivate
{
public:
    ViewsColorManager::View view;
    int sideColumn;
};
