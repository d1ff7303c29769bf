#pragma once

#include "windows/frozenrowview.h"

#include <QPointer>

class FrozenRowViewPrivate
{
public:
    QPointer<QTableFastView> mainView;
    int rowCount = 1;
    int delimeterWidth = 2;
    bool inGeometryUpdate = false;
};
