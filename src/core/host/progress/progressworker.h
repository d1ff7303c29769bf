#pragma once

#include "core/host/bv_host_export.h"

#include <QEventLoop>

class ProgressDialog;

// A long job run on the GUI thread under a ProgressDialog (ProgressDialog::execWorker). The job keeps the
// terminal responsive by calling processEvents() at short intervals and stops when it answers false.
class BV_HOST_EXPORT ProgressWorker
{
public:
    explicit ProgressWorker(ProgressDialog* dialog);
    virtual ~ProgressWorker();
    Q_DISABLE_COPY(ProgressWorker)

    // The job; its result is what execWorker() returns.
    virtual int run() = 0;

    // Processes pending events for at most `ms` milliseconds; false once the user cancelled.
    bool processEvents(QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents, int ms = 0);
    ProgressDialog* dialog() const { return m_dialog; }

private:
    ProgressDialog* m_dialog; // not owned
};
