#pragma once

#include "core/host/embedded/embeddeddecoder.h"
#include "core/host/embedded/embeddedprogressservice.h"
#include "core/host/embedded/embeddedtransactionsender.h"
#include "core/host/icore.h"

#include <QMutex>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QTranslator>

class EmbeddedConnectionsManager;
class EmbeddedWindowManager;

// The host core of the embedded terminal: real registries and services. Notifications go out as a signal; the
// latest ones are kept for a window that opens later (the terminal's message pane), a bounded number of them.
class BV_HOST_EXPORT EmbeddedCore : public ICore
{
    Q_OBJECT
public:
    explicit EmbeddedCore(QObject* parent = nullptr);
    ~EmbeddedCore() override;

    QList<QWidget*> mainWindows() const override;
    TableRegistry* tables() const override { return m_tables; }
    SignalHub* signalHub() const override { return m_signals; }
    QList<QObject*> plugins() const override;
    IProgressService* progress() const override { return &m_progress; }
    ITransactionSender* transactions() const override { return m_sender; }
    ActionManager* actions() const override;
    void notify(const QString& text) override;
    bool setEnglishTranslation(bool english) override;
    bool isEnglishTranslation() const override;
    QString translate(const char* context, const char* sourceText) const override;
    bool setBusy(bool busy) override;
    bool isBusy() const override { return m_busy; }
    bool isMainWindowInBackground() const override; // minimised, hidden or another application active
    QString visualEventMessageKey() const override { return m_messageKey; }
    void registerColorManager(QObject* manager) override;
    void addOptionsPage(IOptionsPage* page) override;
    QList<IOptionsPage*> optionsPages() const override { return m_pages; }

    void addMainWindow(QWidget* window);
    void addPlugin(QObject* plugin);
    void setMainWindowInBackground(bool background) { m_background = background; }
    void setVisualEventMessageKey(const QString& key) { m_messageKey = key; }
    // The English translation used while a thread is switched to English; the built-in one until replaced.
    void setEnglishTranslator(QTranslator* translator) { m_english = translator; }

    EmbeddedDecoder* decoder() const { return m_decoder; }
    EmbeddedTransactionSender* sender() const { return m_sender; }
    EmbeddedProgressService& progressService() { return m_progress; }
    EmbeddedWindowManager* windowManager() const { return m_windows; }
    // Up from the start; while it is down the sender queues nothing.
    EmbeddedConnectionsManager* connections() const { return m_connections; }
    QList<QObject*> colorManagers() const;

    // The latest notifications, oldest first: at most RecentNotifications.
    QStringList recentNotifications() const { return m_recent; }
    static constexpr int RecentNotifications = 200;

Q_SIGNALS:
    void notified(const QString& text);
    void busyChanged(bool busy);

private:
    TableRegistry* m_tables;
    SignalHub* m_signals;
    EmbeddedDecoder* m_decoder;
    EmbeddedTransactionSender* m_sender;
    EmbeddedWindowManager* m_windows;
    EmbeddedConnectionsManager* m_connections;
    mutable EmbeddedProgressService m_progress;
    QList<QPointer<QWidget>> m_mainWindows;
    QList<QPointer<QObject>> m_plugins;
    QList<QPointer<QObject>> m_colorManagers;
    QList<IOptionsPage*> m_pages; // not owned
    mutable QMutex m_englishMutex;
    QSet<const void*> m_englishThreads; // threads switched to English
    QPointer<QTranslator> m_english;
    QStringList m_recent;
    QString m_messageKey = QStringLiteral("default");
    bool m_busy = false;
    bool m_background = false;
};
