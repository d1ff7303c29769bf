#pragma once

#include "views/private/qtreefastview_p.h"
#include "views/treeindexview.h"

class TreeIndexViewPrivate : public QTreeFastViewPrivate
{
public:
    int itemHeight = 0; // 0: not measured yet
};
