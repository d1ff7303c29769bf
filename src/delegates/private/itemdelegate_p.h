#pragma once

#include "delegates/itemdelegate.h"
#include "delegates/private/styleditemdelegate_p.h"

class ItemDelegatePrivate : public StyledItemDelegatePrivate
{
public:
    bool drawFrame = true;
    bool drawIndicator = false;
};
