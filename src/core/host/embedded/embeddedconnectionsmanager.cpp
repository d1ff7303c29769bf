#include "core/host/embedded/embeddedconnectionsmanager.h"

EmbeddedConnectionsManager::EmbeddedConnectionsManager(QObject* parent)
    : ConnectionsManager(parent)
{ }

void EmbeddedConnectionsManager::setStatus(int status)
{
    if (status == m_status)
        return;
    m_status = status;
    Q_EMIT statusChanged(status);
}
