#pragma once

#include "basic_views_export.h"

#include <QDateTime>
#include <QPointer>
#include <QScopedPointer>
#include <QStringList>

class IViewSettingsPage;
class QObject;
class QTimer;
class QWidget;
class Settings;

class VisualEventPrivate;

// A visual alert on events in a view's data: the text goes to the terminal's window of errors and notifications,
// the application asks for attention in the taskbar (dock), or both, no more often than the delay allows. While
// the terminal's main window is in the background the texts wait and are retried every 10 seconds (without a
// taskbar alert then: that one was made at once). Stored in the view's settings, group "VisualEvent".
class BASIC_VIEWS_EXPORT VisualEvent
{
    Q_DECLARE_PRIVATE(VisualEvent)
public:
    // A bit set: 1 or 4 (5 as written by the settings page) the notification window, 2 the taskbar or dock.
    enum EventType : unsigned { NoEvent = 0, NotificationWindow = 5, TaskbarAlert = 2, NotificationAndTaskbar = 7 };
    class TimerHelper;

    VisualEvent();
    virtual ~VisualEvent();

    EventType eventType() const;
    void setEventType(EventType type);
    // Seconds: 0 after construction, 10 when restored without a stored value.
    int delay() const;
    void setDelay(int seconds);
    // Put before every event text.
    QString eventMessage() const;
    void setEventMessage(const QString& message);
    // The widget whose window the taskbar alert is for; not owned.
    void setWidget(QWidget* widget);

    void store(Settings& settings) const;
    // Reads `settings` only; the defaults of the window kind have nothing to add.
    void restore(const Settings& defaults, const Settings& settings);

    // A type is set and, with checkDelay, the delay has passed since the last event shown.
    bool canShowEvent(bool checkDelay) const;
    // Shows the message followed by `text` as the type says, when canShowEvent(checkDelay).
    void showEvent(bool checkDelay, const QString& text);

    // The page of these choices for the view's settings dialog; `caption` titles its group (the page's own when
    // empty), `delayAvailable` offers the delay, and a sub-widget of the view's own goes under the choices (the
    // page takes over one without a parent: see SettingsSubWidget).
    IViewSettingsPage* getSettingsPage(bool delayAvailable, const QString& caption, QObject* parent,
        QWidget* subWidget = nullptr, const char* restoreSlot = nullptr, const char* applySlot = nullptr) const;

    // "message_" and the host's text: the settings key of the message, made once, by the first event or page
    // made while a host core exists, and shared by every event.
    static QString messageKey();

private:
    Q_DISABLE_COPY(VisualEvent)
    friend class TimerHelper;

    void showEvent(bool checkDelay, const QString& text, int type, bool updateTime);
    void showEventImmediately(int type, const QString& text);
    // Queues the text for the retry timer when the main window is in the background; true when it did.
    bool holdBack(const QString& text);
    void onRetry();
    QScopedPointer<VisualEventPrivate> d_ptr;
};
