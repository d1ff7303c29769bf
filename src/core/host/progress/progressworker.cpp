#include "core/host/progress/progressworker.h"

#include "core/host/progress/progressdialog.h"

#include <QCoreApplication>

ProgressWorker::ProgressWorker(ProgressDialog* dialog)
    : m_dialog(dialog)
{ }

ProgressWorker::~ProgressWorker() = default;

bool ProgressWorker::processEvents(QEventLoop::ProcessEventsFlags flags, int ms)
{
    if (ms > 0)
        QCoreApplication::processEvents(flags, ms);
    else
        QCoreApplication::processEvents(flags);
    return !(m_dialog && m_dialog->wasCanceled());
}
