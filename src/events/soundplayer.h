#pragma once

#include "basic_views_export.h"

class QString;

// Plays sound files for the alerts: through Qt Multimedia unless another player is installed (a test's: test
// machines have no sound device).
class BASIC_VIEWS_EXPORT SoundPlayer
{
public:
    virtual ~SoundPlayer();
    // Starts playing and returns at once; a file that cannot be played is skipped by the platform.
    virtual void play(const QString& fileName) = 0;

    // The installed player, or Qt Multimedia's.
    static SoundPlayer* instance();
    // Installs a player (not owned) until another replaces it; null brings Qt Multimedia's back.
    static void setInstance(SoundPlayer* player);
};
