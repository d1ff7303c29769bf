#include "core/host/progress/progressworker.h"

#include "core/host/progress/progressdialog.h"

#include <QCoreApplication>

ProgressWorker::ProgressWorker(ProgressDialog* dialog)
    : m_dialog(dialog)
{ }

ProgressWorker::~ProgressWorker() = default;

ProgressDialog* ProgressWorker::dialog() const
{
    return m_dialog.data();
}

bool ProgressWorker::processEvents(QEventLoop::ProcessEventsFlags flags, int ms)
{
    // Until its window shows, the job holds input back: it waits, in order, for the job's end or its window.
    if (m_dialog && !m_dialog->isVisible())
        flags |= QEventLoop::ExcludeUserInputEvents;
    if (ms > 0)
        QCoreApplication::processEvents(flags, ms);
    else
        QCoreApplication::processEvents(flags);
    return !(m_dialog && m_dialog->wasCanceled());
}
