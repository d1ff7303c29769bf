#include "core/host/embedded/embeddedwindowmanager.h"

#include "core/host/iwindow.h"

#include <QWidget>

EmbeddedWindowManager::EmbeddedWindowManager(QObject* parent)
    : IWindowManager(parent)
{ }

void EmbeddedWindowManager::registerWindow(const QString& windowId, Factory factory)
{
    m_factories.insert(windowId, std::move(factory));
}

void EmbeddedWindowManager::openWindow(const QString& windowId, const QString& textIds)
{
    QList<SecurityKey> keys;
    for (const QString& textId : textIds.split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        const SecurityKey key = SecurityKey::fromTextId(textId);
        if (key.isValid())
            keys << key;
    }
    const Factory factory = m_factories.value(windowId);
    QWidget* window = factory ? factory(keys) : nullptr;
    if (window)
        window->show();
    Q_EMIT windowRequested(windowId, keys, window);
}

void EmbeddedWindowManager::activateView(QWidget* view)
{
    Q_EMIT viewActivated(view);
    if (!view)
        return;
    // A host window inside the main window (an MDI child) comes forward there, and the main window with it.
    for (QWidget* up = view; up; up = up->parentWidget()) {
        if (auto* hosted = qobject_cast<IWindow*>(up)) {
            hosted->bringToFront();
            break;
        }
    }
    QWidget* window = view->window();
    window->show();
    window->raise();
    window->activateWindow();
}

void EmbeddedWindowManager::lockWindows(bool lock)
{
    m_locked = lock;
    Q_EMIT lockChanged(lock);
}
