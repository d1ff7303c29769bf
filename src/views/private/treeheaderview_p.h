#pragma once

#include "views/private/headerview_p.h"
#include "views/treeheaderview.h"

class TreeHeaderViewPrivate : public HeaderViewPrivate
{
public:
    int sectionHeight = 0; // the style's, measured on a style or font change
    bool firstColumnLocked = true;
    bool expandMarkShown = false;
    bool collapsed = false;
};
