#include "core/host/embedded/embeddedwindowmanager.h"

#include <QWidget>

EmbeddedWindowManager::EmbeddedWindowManager(QObject* parent)
    : IWindowManager(parent)
{ }

void EmbeddedWindowManager::registerWindow(int windowId, Factory factory)
{
    m_factories.insert(windowId, std::move(factory));
}

void EmbeddedWindowManager::openWindow(int windowId, const QList<SecurityKey>& keys)
{
    QStringList ids;
    for (const SecurityKey& key : keys)
        ids << key.textId();
    log << QStringLiteral("open %1 %2").arg(windowId).arg(ids.join(QLatin1Char('|')));
    const Factory factory = m_factories.value(windowId);
    if (!factory)
        return;
    if (QWidget* window = factory(keys)) {
        window->show();
        Q_EMIT windowOpened(window);
    }
}

void EmbeddedWindowManager::activateView(QWidget* view)
{
    log << QStringLiteral("activate %1").arg(view ? view->objectName() : QString());
    if (!view)
        return;
    QWidget* window = view->window();
    window->show();
    window->raise();
    window->activateWindow();
}

void EmbeddedWindowManager::lockWindows(bool lock)
{
    m_locked = lock;
    log << QStringLiteral("lock %1").arg(lock ? 1 : 0);
}
