#pragma once

#include "core/host/iwindowmanager.h"

#include <QMap>
#include <QStringList>

#include <functional>

// The host's window manager: window kinds registered by id with a factory; every call is also written to `log`
// ("open <id> <text ids>", "activate <object name>", "lock 1").
class BV_HOST_EXPORT EmbeddedWindowManager : public IWindowManager
{
    Q_OBJECT
public:
    using Factory = std::function<QWidget*(const QList<SecurityKey>& keys)>;

    explicit EmbeddedWindowManager(QObject* parent = nullptr);

    void registerWindow(int windowId, Factory factory);
    void openWindow(int windowId, const QList<SecurityKey>& keys) override;
    void activateView(QWidget* view) override;
    void lockWindows(bool lock) override;
    bool isLocked() const { return m_locked; }

    QStringList log;

Q_SIGNALS:
    void windowOpened(QWidget* window);

private:
    QMap<int, Factory> m_factories;
    bool m_locked = false;
};
