#pragma once

#include "events/tableeventalerts.h"

class TableEventAlertsPrivate
{
public:
    Table* table; // not owned; null once it is gone
    TableEventAlerts::Text text;
    TableEventAlerts::AddedTest added;
    QList<int> columns;
    TableEventAlerts::ChangeTest changed;
    VisualEvent visual;
    SoundEvent sound;
    QString first; // the text of the first event waiting
    int waiting = 0;
    bool scheduled = false;
};
