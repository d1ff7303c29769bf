#include "core/host/embedded/embeddedcore.h"

#include "core/host/actions/actionmanager.h"
#include "core/host/embedded/embeddedconnectionsmanager.h"
#include "core/host/embedded/embeddedwindowmanager.h"
#include "core/host/signalhub.h"
#include "core/host/tableregistry.h"

#include <QApplication>
#include <QThread>
#include <QWidget>

EmbeddedCore::EmbeddedCore(QObject* parent)
    : ICore(parent)
    , m_tables(new TableRegistry(this))
    , m_signals(new SignalHub(this))
    , m_decoder(new EmbeddedDecoder(this))
    , m_sender(new EmbeddedTransactionSender(this))
    , m_windows(new EmbeddedWindowManager(this))
    , m_connections(new EmbeddedConnectionsManager(this))
{
    m_sender->setConnection(m_connections);
    m_plugins << m_decoder;
    // The project's own English translation, built into the host library.
    auto* english = new QTranslator(this);
    if (english->load(QStringLiteral(":/translations/basic_views_en.qm")))
        m_english = english;
    else
        delete english;
}

EmbeddedCore::~EmbeddedCore()
{
    // Tables go before the services their indexes may still call.
    delete m_tables;
    m_tables = nullptr;
}

QList<QWidget*> EmbeddedCore::mainWindows() const
{
    QList<QWidget*> windows;
    for (const QPointer<QWidget>& w : m_mainWindows) {
        if (w)
            windows << w;
    }
    return windows;
}

QList<QObject*> EmbeddedCore::plugins() const
{
    QList<QObject*> plugins;
    for (const QPointer<QObject>& p : m_plugins) {
        if (p)
            plugins << p;
    }
    return plugins;
}

void EmbeddedCore::notify(const QString& text)
{
    m_recent << text;
    if (m_recent.size() > RecentNotifications)
        m_recent.removeFirst();
    Q_EMIT notified(text);
}

bool EmbeddedCore::setEnglishTranslation(bool english)
{
    QMutexLocker lock(&m_englishMutex);
    const void* thread = QThread::currentThread();
    const bool previous = m_englishThreads.contains(thread);
    if (english)
        m_englishThreads.insert(thread);
    else
        m_englishThreads.remove(thread);
    return previous;
}

bool EmbeddedCore::isEnglishTranslation() const
{
    QMutexLocker lock(&m_englishMutex);
    return m_englishThreads.contains(QThread::currentThread());
}

QString EmbeddedCore::translate(const char* context, const char* sourceText) const
{
    if (isEnglishTranslation() && m_english) {
        const QString text = m_english->translate(context, sourceText);
        if (!text.isEmpty())
            return text;
    }
    return QCoreApplication::translate(context, sourceText);
}

bool EmbeddedCore::setBusy(bool busy)
{
    const bool previous = m_busy;
    if (busy != m_busy) {
        m_busy = busy;
        Q_EMIT busyChanged(busy);
    }
    return previous;
}

bool EmbeddedCore::isMainWindowInBackground() const
{
    if (m_background)
        return true;
    const QList<QWidget*> windows = mainWindows();
    if (windows.isEmpty())
        return false;
    // Behind one of the terminal's own windows (a dialog, the settings) the user is still at the terminal; out of
    // sight is minimised, hidden, or another application active.
    const QWidget* main = windows.first();
    return !main->isVisible() || main->isMinimized() || QApplication::activeWindow() == nullptr;
}

void EmbeddedCore::registerColorManager(QObject* manager)
{
    if (manager && !m_colorManagers.contains(manager))
        m_colorManagers << manager;
}

void EmbeddedCore::addOptionsPage(IOptionsPage* page)
{
    if (page && !m_pages.contains(page))
        m_pages << page;
}

void EmbeddedCore::addMainWindow(QWidget* window)
{
    m_mainWindows << window;
}

void EmbeddedCore::addPlugin(QObject* plugin)
{
    m_plugins << plugin;
}

QList<QObject*> EmbeddedCore::colorManagers() const
{
    QList<QObject*> managers;
    for (const QPointer<QObject>& m : m_colorManagers) {
        if (m)
            managers << m;
    }
    return managers;
}

ActionManager* EmbeddedCore::actions() const
{
    return ActionManager::instance();
}
