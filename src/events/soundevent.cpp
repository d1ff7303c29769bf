#include "events/soundevent.h"

#include "core/db/settings.h"
#include "events/eventclock.h"
#include "events/private/soundssettingspage.h"
#include "events/soundplayer.h"

#include <QCoreApplication>

namespace {

const char* const playKey = "SoundEvent/playSound";
const char* const soundKey = "SoundEvent/sound";
const char* const delayKey = "SoundEvent/delay";
constexpr int DefaultDelay = 10;

} // namespace

SoundEvent::SoundEvent()
    : m_soundsDir(soundsDirectory())
{ }

SoundEvent::~SoundEvent() = default;

QDir SoundEvent::soundsDirectory()
{
    QDir dir(QCoreApplication::applicationDirPath());
    return dir.exists(QStringLiteral("sounds")) ? QDir(dir.filePath(QStringLiteral("sounds"))) : dir;
}

void SoundEvent::store(Settings& settings) const
{
    settings.setValue(QLatin1String(playKey), m_enabled);
    settings.setValue(QLatin1String(soundKey), m_sound);
    settings.setValue(QLatin1String(delayKey), m_delay);
}

void SoundEvent::restore(const Settings&, const Settings& settings)
{
    m_enabled = settings.value(QLatin1String(playKey), false).toBool();
    m_sound = settings.value(QLatin1String(soundKey)).toString();
    m_delay = settings.value(QLatin1String(delayKey), DefaultDelay).toInt();
}

bool SoundEvent::canPlaySound(bool checkDelay) const
{
    return m_enabled && !m_sound.isEmpty() && EventClock::delayPassed(m_lastPlayed, m_delay, checkDelay);
}

void SoundEvent::playSound(bool checkDelay)
{
    if (!canPlaySound(checkDelay))
        return;
    SoundPlayer::instance()->play(m_soundsDir.filePath(m_sound));
    m_lastPlayed = EventClock::now();
}

IViewSettingsPage* SoundEvent::getSettingsPage(
    bool, const QString&, QObject* parent, QWidget* subWidget, const char* restoreSlot, const char* applySlot) const
{
    auto* page = new SoundsSettingsPage(parent);
    page->setSubWidget(subWidget, restoreSlot, applySlot);
    return page;
}
