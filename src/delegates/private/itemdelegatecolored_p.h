#pragma once

#include "delegates/itemdelegatecolored.h"
#include "delegates/private/itemdelegate_p.h"

class ItemDelegateColoredPrivate : public ItemDelegatePrivate
{
public:
    QColor color;
};
