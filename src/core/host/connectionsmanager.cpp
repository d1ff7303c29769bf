#include "core/host/connectionsmanager.h"

ConnectionsManager* ConnectionsManager::instance()
{
    static ConnectionsManager manager;
    return &manager;
}

void ConnectionsManager::setStatus(int status)
{
    if (status == m_status)
        return;
    m_status = status;
    Q_EMIT statusChanged(status);
}
