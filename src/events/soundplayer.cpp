#include "events/soundplayer.h"

#include <QSound>

namespace {

class MultimediaPlayer : public SoundPlayer
{
public:
    void play(const QString& fileName) override { QSound::play(fileName); }
};

MultimediaPlayer multimediaPlayer;
SoundPlayer* installed = nullptr;

} // namespace

SoundPlayer::~SoundPlayer() = default;

SoundPlayer* SoundPlayer::instance()
{
    return installed ? installed : &multimediaPlayer;
}

void SoundPlayer::setInstance(SoundPlayer* player)
{
    installed = player;
}
