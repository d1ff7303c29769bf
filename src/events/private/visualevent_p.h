#pragma once

#include "events/visualevent.h"

class VisualEventPrivate
{
public:
    VisualEvent::EventType eventType = VisualEvent::NoEvent;
    int delay = 0;
    QString message;
    QDateTime lastShown;
    QPointer<QWidget> widget;
    QStringList pending;
    QTimer* timer = nullptr; // owned
    VisualEvent::TimerHelper* timerHelper = nullptr; // owned
};
