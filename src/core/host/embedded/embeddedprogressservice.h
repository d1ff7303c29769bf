#pragma once

#include "core/host/bv_host_export.h"
#include "core/host/iprogressservice.h"

#include <QStringList>

// Keeps what it was told, one line per call ("start <message> <total>", "progress <message> <count>", ...), and
// forwards each call to an optional display.
class BV_HOST_EXPORT EmbeddedProgressService : public IProgressService
{
public:
    void start(const QString& message, qint64 total) override;
    void progress(const QString& message, qint64 count) override;
    void extraText(const QString& message, const QString& text) override;
    void end(const QString& message) override;

    QStringList log;
    IProgressService* display = nullptr; // not owned
};
