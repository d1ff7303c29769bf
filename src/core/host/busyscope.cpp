#include "core/host/busyscope.h"

#include "core/host/icore.h"

BusyScope::BusyScope()
    : m_core(ICore::instance())
{
    if (m_core)
        m_previous = m_core->setBusy(true);
}

BusyScope::~BusyScope()
{
    if (m_core)
        m_core->setBusy(m_previous);
}
