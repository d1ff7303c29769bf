#pragma once

#include "core/host/bv_host_export.h"
#include "core/host/idecoder.h"

#include <QObject>

// The decoder plug-in of the embedded host: the market simulation tells it when sessions begin.
class BV_HOST_EXPORT EmbeddedDecoder : public QObject, public IDecoder
{
    Q_OBJECT
    Q_INTERFACES(IDecoder)
public:
    using QObject::QObject;
    int sessionsSeen() const override { return m_sessions; }
    void announceNewSessions();

Q_SIGNALS:
    void aNewSessions();

private:
    int m_sessions = 0;
};
