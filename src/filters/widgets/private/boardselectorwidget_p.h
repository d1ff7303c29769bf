#pragma once

#include "filters/widgets/boardselectorwidget.h"
#include "filters/widgets/private/checklistfilterwidget_p.h"

#include <QPointer>

class SignalHub;

class BoardSelectorWidgetPrivate : public CheckListFilterWidgetPrivate
{
public:
    QPointer<SignalHub> hub;
    boardlist offered;
    bool forPositions = false;
    boardlist unchecked;
};
