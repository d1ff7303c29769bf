#pragma once

#include "events/soundplayer.h"

#include <QStringList>

// Writes down the files the alerts would play (test machines have no sound device); installed while it lives.
class RecordingSoundPlayer : public SoundPlayer
{
public:
    RecordingSoundPlayer() { SoundPlayer::setInstance(this); }
    ~RecordingSoundPlayer() override { SoundPlayer::setInstance(nullptr); }
    void play(const QString& fileName) override { played << fileName; }

    QStringList played;
};
