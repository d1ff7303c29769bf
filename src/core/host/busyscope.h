#pragma once

#include "core/host/bv_host_export.h"

#include <QPointer>

class ICore;

// The host core's busy switch, on for a scope and then back to what it was. Work that runs the event loop from
// inside holds one: the core may go away meanwhile, and then there is nothing to restore.
class BV_HOST_EXPORT BusyScope
{
public:
    BusyScope();
    ~BusyScope();
    Q_DISABLE_COPY(BusyScope)

private:
    QPointer<ICore> m_core;
    bool m_previous = false;
};
