#pragma once

#include "views/readinghold/heldrowsmodel.h"
#include "views/readinghold/readinghold.h"

#include <QPoint>
#include <QPointer>

class QTimer;

class ReadingHoldPrivate
{
public:
    QAbstractItemView* view = nullptr; // the parent
    QWidget* viewport = nullptr; // the view's, watched
    QPointer<HeldRowsModel> model;
    QAction* toggle = nullptr; // child
    QToolButton* badge = nullptr; // child of the view
    QTimer* pointerCheck = nullptr; // child
    QPoint pointerAt; // where the pointer was at the last check
    bool enabled = false;
    bool pointerInside = false;
    bool keyboardReading = false;
    bool suppressed = false;
};
