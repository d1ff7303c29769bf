#pragma once

#include "core/host/iwindowmanager.h"
#include "core/host/securitykey.h"

#include <QMap>
#include <QStringList>

#include <functional>

// The host's window manager: window kinds registered by id with a factory, which gets the instruments asked for
// as keys (what is not a text id is left out). Each call is also announced by a signal, for the host's
// own windows to follow.
class BV_HOST_EXPORT EmbeddedWindowManager : public IWindowManager
{
    Q_OBJECT
public:
    using Factory = std::function<QWidget*(const QList<SecurityKey>& keys)>;

    explicit EmbeddedWindowManager(QObject* parent = nullptr);

    void registerWindow(const QString& windowId, Factory factory);
    void openWindow(const QString& windowId, const QString& keys) override;
    void activateView(QWidget* view) override;
    void lockWindows(bool lock) override;
    bool isLocked() const { return m_locked; }

Q_SIGNALS:
    // Asked for a kind with `keys`; `window` is what its factory made (null for an unknown kind).
    void windowRequested(const QString& windowId, const QList<SecurityKey>& keys, QWidget* window);
    void viewActivated(QWidget* view);
    void lockChanged(bool locked);

private:
    QMap<QString, Factory> m_factories;
    bool m_locked = false;
};
