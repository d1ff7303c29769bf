#include "core/host/icore.h"

namespace {
ICore* current = nullptr;
}

ICore::ICore(QObject* parent)
    : QObject(parent)
{
    current = this;
}

ICore::~ICore()
{
    if (current == this)
        current = nullptr;
}

ICore* ICore::instance()
{
    return current;
}
