#pragma once

#include "core/host/progress/progressworker.h"

#include <QString>

class ExporterProxyModel;
class IFileExporterHandler;
class QIODevice;

// Writes a model through a format handler under the export's progress dialog, in the English translation,
// pausing for the event loop every 20 ms. A pause may delete the window the model shows: the writing then stops
// and sourceLost() says so.
class FileExporterProgressWorker : public ProgressWorker
{
public:
    FileExporterProgressWorker(ProgressDialog* dialog, ExporterProxyModel* model, IFileExporterHandler* handler,
        QIODevice* device, bool* cancelled, bool* ok);

    int run() override;
    QString errorText() const { return m_error; }
    bool sourceLost() const { return m_sourceLost; }

private:
    // Runs the event loop in the window's own language; false when the export must end.
    bool pause();

    ExporterProxyModel* m_model; // not owned; held by the export for longer than this
    IFileExporterHandler* m_handler; // not owned
    QIODevice* m_device; // not owned
    bool* m_cancelled;
    bool* m_ok;
    QString m_error;
    bool m_sourceLost = false;
};
