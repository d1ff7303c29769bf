#pragma once

#include "core/host/bv_host_export.h"

#include <QObject>

// The state of the terminal's connection to the trading gateway. One manager is current at a time, like the host
// core: it becomes the instance when made and stops being it when destroyed.
class BV_HOST_EXPORT ConnectionsManager : public QObject
{
    Q_OBJECT
public:
    enum Status { Disconnected = 0, Connecting = 1, Connected = 2 };

    ~ConnectionsManager() override;
    // Null while no host runs.
    static ConnectionsManager* instance();
    virtual int status() const = 0;
    bool isConnected() const { return status() == Connected; }

Q_SIGNALS:
    void statusChanged(int status);

protected:
    explicit ConnectionsManager(QObject* parent = nullptr);
};
