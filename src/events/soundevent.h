#pragma once

#include "basic_views_export.h"

#include <QDateTime>
#include <QDir>
#include <QScopedPointer>

class IViewSettingsPage;
class QObject;
class QWidget;
class Settings;

class SoundEventPrivate;

// A sound alert on events in a view's data: plays a file of the sounds directory, no more often than the delay
// allows. Stored in the view's settings, group "SoundEvent".
class BASIC_VIEWS_EXPORT SoundEvent
{
    Q_DECLARE_PRIVATE(SoundEvent)
public:
    SoundEvent();
    virtual ~SoundEvent();
    SoundEvent(const SoundEvent& other);
    SoundEvent& operator=(const SoundEvent& other);

    bool isEnabled() const;
    // The file name, relative to the sounds directory.
    QString sound() const;
    // Seconds: 0 after construction, 10 when restored without a stored value.
    int delay() const;
    void setDelay(int seconds);

    void store(Settings& settings) const;
    // Reads `settings` only; the defaults of the window kind have nothing to add.
    void restore(const Settings& defaults, const Settings& settings);

    // Enabled with a sound named and, with checkDelay, the delay has passed since the last sound.
    bool canPlaySound(bool checkDelay) const;
    void playSound(bool checkDelay);

    // The page of these choices for the view's settings dialog. The sound page always offers its delay and keeps
    // its own caption: `delayAvailable` and `caption` are for the visual page's sake. The page takes over a
    // sub-widget without a parent (see SettingsSubWidget).
    IViewSettingsPage* getSettingsPage(bool delayAvailable, const QString& caption, QObject* parent,
        QWidget* subWidget = nullptr, const char* restoreSlot = nullptr, const char* applySlot = nullptr) const;

    // The subdirectory "sounds" of the application's directory when there is one, else that directory itself.
    static QDir soundsDirectory();

private:
    QScopedPointer<SoundEventPrivate> d_ptr;
};
