#pragma once

#include "core/host/bv_host_export.h"

#include <QList>
#include <QObject>

class ActionManager;
class IOptionsPage;
class IProgressService;
class ITransactionSender;
class QWidget;
class SignalHub;
class TableRegistry;

// The host core: the services of the terminal the library calls. One core is current at a time; it becomes the
// instance when made and stops being it when destroyed.
class BV_HOST_EXPORT ICore : public QObject
{
    Q_OBJECT
public:
    ~ICore() override;
    // Null while no host core exists.
    static ICore* instance();

    // The first main window parents the order dialogs.
    virtual QList<QWidget*> mainWindows() const = 0;
    // The parent of the dialogs the library opens on its own: the first main window; null without a host.
    static QWidget* dialogParent();
    virtual TableRegistry* tables() const = 0;
    virtual SignalHub* signalHub() const = 0;
    virtual QList<QObject*> plugins() const = 0;
    virtual IProgressService* progress() const = 0;
    virtual ITransactionSender* transactions() const = 0;
    virtual ActionManager* actions() const = 0;
    // Shows a text in the terminal's window of errors and notifications.
    virtual void notify(const QString& text) = 0;
    // Texts translated on the calling thread come in English while switched on; returns the previous state.
    virtual bool setEnglishTranslation(bool english) = 0;
    virtual bool isEnglishTranslation() const = 0;
    virtual QString translate(const char* context, const char* sourceText) const = 0;
    // A long read of a view sets it and afterwards restores the previous state, which it returns.
    virtual bool setBusy(bool busy) = 0;
    virtual bool isBusy() const = 0;
    virtual bool isMainWindowInBackground() const = 0; // out of the user's sight: visual alerts hold their texts
    // Appended to "message_", the settings key of a visual event's message.
    virtual QString visualEventMessageKey() const = 0;
    virtual void registerColorManager(QObject* manager) = 0;
    // Adds a page to the settings dialog; the page stays its owner's.
    virtual void addOptionsPage(IOptionsPage* page) = 0;
    virtual QList<IOptionsPage*> optionsPages() const = 0;

protected:
    explicit ICore(QObject* parent = nullptr);
};

// A library text in the host's translation: English while the calling thread is switched to English, the
// application's translation otherwise, and the application's alone when no host core exists.
BV_HOST_EXPORT QString hostTranslate(const char* context, const char* sourceText);
