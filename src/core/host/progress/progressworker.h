#pragma once

#include "core/host/bv_host_export.h"

#include <QEventLoop>
#include <QPointer>

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

    // Processes pending events for at most `ms` milliseconds; false once the user cancelled. The trader's input
    // waits while the dialog is not shown (ProgressDialog::setMinimumDuration()). What the events delete
    // meanwhile is the job's to check after each call.
    bool processEvents(QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents, int ms = 0);
    // Null once the dialog is gone.
    ProgressDialog* dialog() const;

private:
    QPointer<ProgressDialog> m_dialog;
};
