#include "core/host/connectionsmanager.h"

namespace {
ConnectionsManager* current = nullptr;
}

ConnectionsManager::ConnectionsManager(QObject* parent)
    : QObject(parent)
{
    current = this;
}

ConnectionsManager::~ConnectionsManager()
{
    if (current == this)
        current = nullptr;
}

ConnectionsManager* ConnectionsManager::instance()
{
    return current;
}
