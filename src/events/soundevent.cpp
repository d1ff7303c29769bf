#include "events/soundevent.h"
#include "events/private/soundevent_p.h"

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
    : d_ptr(new SoundEventPrivate)
{
    Q_D(SoundEvent);
    d->soundsDir = soundsDirectory();
}

SoundEvent::SoundEvent(const SoundEvent& other)
    : d_ptr(new SoundEventPrivate(*other.d_ptr))
{ }

SoundEvent& SoundEvent::operator=(const SoundEvent& other)
{
    *d_ptr = *other.d_ptr;
    return *this;
}

SoundEvent::~SoundEvent() = default;

QDir SoundEvent::soundsDirectory()
{
    QDir dir(QCoreApplication::applicationDirPath());
    return dir.exists(QStringLiteral("sounds")) ? QDir(dir.filePath(QStringLiteral("sounds"))) : dir;
}

void SoundEvent::store(Settings& settings) const
{
    Q_D(const SoundEvent);
    settings.setValue(QLatin1String(playKey), d->enabled);
    settings.setValue(QLatin1String(soundKey), d->sound);
    settings.setValue(QLatin1String(delayKey), d->delay);
}

void SoundEvent::restore(const Settings&, const Settings& settings)
{
    Q_D(SoundEvent);
    d->enabled = settings.value(QLatin1String(playKey), false).toBool();
    d->sound = settings.value(QLatin1String(soundKey)).toString();
    d->delay = settings.value(QLatin1String(delayKey), DefaultDelay).toInt();
}

bool SoundEvent::canPlaySound(bool checkDelay) const
{
    Q_D(const SoundEvent);
    return d->enabled && !d->sound.isEmpty() && EventClock::delayPassed(d->lastPlayed, d->delay, checkDelay);
}

void SoundEvent::playSound(bool checkDelay)
{
    Q_D(SoundEvent);
    if (!canPlaySound(checkDelay))
        return;
    SoundPlayer::instance()->play(d->soundsDir.filePath(d->sound));
    d->lastPlayed = EventClock::now();
}

IViewSettingsPage* SoundEvent::getSettingsPage(
    bool, const QString&, QObject* parent, QWidget* subWidget, const char* restoreSlot, const char* applySlot) const
{
    auto* page = new SoundsSettingsPage(parent);
    page->setSubWidget(subWidget, restoreSlot, applySlot);
    return page;
}

bool SoundEvent::isEnabled() const
{
    return d_func()->enabled;
}

QString SoundEvent::sound() const
{
    return d_func()->sound;
}

int SoundEvent::delay() const
{
    return d_func()->delay;
}

void SoundEvent::setDelay(int seconds)
{
    d_func()->delay = seconds;
}
