#include "export/private/fileexporterprogressworker.h"

#include "core/host/icore.h"
#include "core/host/iwindowmanager.h"
#include "core/host/progress/progressdialog.h"
#include "export/exporterproxymodel.h"
#include "export/fileexporter.h"
#include "export/ifileexporterhandler.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace {

// The English translation for texts the models produce on this thread; idle without a host core. Listeners learn
// that model changes seen meanwhile come from the switch.
void setEnglish(bool on)
{
    FileExporter* exporter = FileExporter::instance();
    if (on)
        Q_EMIT exporter->beginTranslatorUpdate();
    if (ICore* core = ICore::instance())
        core->setEnglishTranslation(on);
    if (!on)
        Q_EMIT exporter->endTranslatorUpdate();
}

void lockWindows(bool lock)
{
    if (IWindowManager* windows = IWindowManager::instance())
        windows->lockWindows(lock);
}

} // namespace

FileExporterProgressWorker::FileExporterProgressWorker(ProgressDialog* dialog, ExporterProxyModel* model,
    IFileExporterHandler* handler, QIODevice* device, bool* cancelled, bool* ok)
    : ProgressWorker(dialog)
    , m_model(model)
    , m_handler(handler)
    , m_device(device)
    , m_cancelled(cancelled)
    , m_ok(ok)
{ }

bool FileExporterProgressWorker::pause()
{
    // The window repaints in its own language meanwhile, and what the feed changes meanwhile is a change of the
    // table, not of the translation.
    setEnglish(false);
    const bool goOn = processEvents();
    m_sourceLost = !m_model->sourceModel();
    setEnglish(true);
    return goOn && !m_sourceLost;
}

int FileExporterProgressWorker::run()
{
    *m_cancelled = false;
    bool& ok = *m_ok;
    QElapsedTimer sincePause;
    sincePause.start();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_sourceLost = !m_model->sourceModel();
    ok = !m_sourceLost;
    if (!ok)
        return 0;
    lockWindows(true);
    setEnglish(true);

    const int rows = m_model->rowCount();
    ok = m_handler->begin(m_device, m_model);
    if (ok)
        ok = m_handler->writeHeader();
    int reported = -1;
    for (int row = 0; ok && row < rows; ++row) {
        const int percent = int(qint64(row) * 100 / rows);
        if (percent != reported && dialog()) {
            reported = percent;
            dialog()->setProgress(percent);
        }
        if (sincePause.elapsed() > 20) {
            const bool goOn = pause();
            sincePause.restart();
            if (!goOn) {
                // Rows of a window deleted meanwhile cannot be read: the export fails rather than write them empty.
                ok = !m_sourceLost;
                *m_cancelled = ok;
                break;
            }
        }
        ok = m_handler->writeRow(row);
    }
    if (ok)
        ok = m_handler->writeFooter();
    if (!ok && !m_sourceLost)
        m_error = m_handler->lastError();
    m_handler->end();

    setEnglish(false);
    lockWindows(false);
    return ok ? 1 : 0;
}
