#pragma once

#include "delegates/styleditemdelegate.h"

class StyledItemDelegatePrivate
{
public:
    virtual ~StyledItemDelegatePrivate() = default;

    mutable QFont hintFont;
    mutable int hintHeight = -1;
};
