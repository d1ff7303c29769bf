#pragma once

#include "delegates/itemdelegateupdown.h"
#include "delegates/private/styleditemdelegate_p.h"

class ItemDelegateUpDownPrivate : public StyledItemDelegatePrivate
{
public:
    QTimer* timer = nullptr; // child
    ViewsColorManager::View view;
    bool backlight = false;
    bool animation = true;
    bool drawFrame = true;
    datetime now;
    mutable QSet<QPersistentModelIndex> refresh;
};
