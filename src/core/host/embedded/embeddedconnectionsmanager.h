#pragma once

#include "core/host/connectionsmanager.h"

// The embedded terminal's link to its exchange, which lives in the same process: up from the start, and taken
// down and up again by the user. While it is down the transaction sender queues nothing.
class BV_HOST_EXPORT EmbeddedConnectionsManager : public ConnectionsManager
{
    Q_OBJECT
public:
    explicit EmbeddedConnectionsManager(QObject* parent = nullptr);

    int status() const override { return m_status; }
    // Emits statusChanged() when the status changes.
    void setStatus(int status);
    void connectToExchange() { setStatus(Connected); }
    void disconnectFromExchange() { setStatus(Disconnected); }

private:
    int m_status = Connected;
};
