#pragma once

#include "views/headerview.h"

// Whether the header ignores the mouse: the click that only activates its window. The base of the private classes
// of the headers.
class HeaderViewPrivate
{
public:
    virtual ~HeaderViewPrivate() = default;

    bool mouseBlocked = false;
};
