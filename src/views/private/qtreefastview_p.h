#pragma once

#include "views/qtreefastview.h"

// The repaint pacer of a QTreeFastView. The base of the private classes of the tree views.
class QTreeFastViewPrivate
{
public:
    virtual ~QTreeFastViewPrivate() = default;

    RepaintPacer* repaints = nullptr; // child
};
