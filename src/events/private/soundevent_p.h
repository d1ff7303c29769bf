#pragma once

#include "events/soundevent.h"

class SoundEventPrivate
{
public:
    bool enabled = false;
    QString sound;
    QDir soundsDir;
    int delay = 0;
    QDateTime lastPlayed;
};
