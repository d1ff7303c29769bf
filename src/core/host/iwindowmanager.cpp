#include "core/host/iwindowmanager.h"

namespace {
IWindowManager* current = nullptr;
}

IWindowManager::IWindowManager(QObject* parent)
    : QObject(parent)
{
    current = this;
}

IWindowManager::~IWindowManager()
{
    if (current == this)
        current = nullptr;
}

IWindowManager* IWindowManager::instance()
{
    return current;
}
