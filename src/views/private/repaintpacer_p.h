#pragma once

#include "views/repaintpacer.h"

#include <QPointer>
#include <QTimer>

class RepaintPacerPrivate
{
public:
    QPointer<QWidget> target;
    QTimer timer; // runs from the target's last paint
    QRegion waiting; // in the target's current coordinates
};
