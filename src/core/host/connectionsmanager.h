#pragma once

#include "core/host/bv_host_export.h"

#include <QObject>

// The state of the terminal's connection to the trading gateway.
class BV_HOST_EXPORT ConnectionsManager : public QObject
{
    Q_OBJECT
public:
    enum Status { Disconnected = 0, Connecting = 1, Connected = 2 };

    static ConnectionsManager* instance();
    int status() const { return m_status; }
    void setStatus(int status);

Q_SIGNALS:
    void statusChanged(int status);

private:
    using QObject::QObject;
    int m_status = Disconnected;
};
