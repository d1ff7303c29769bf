#pragma once

#include "core/host/bv_host_export.h"

#include <QObject>

// Host-wide events the library follows.
class BV_HOST_EXPORT SignalHub : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

Q_SIGNALS:
    void aNewDay();
    void selectedStockChanged();
};
