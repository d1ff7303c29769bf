#pragma once

#include "core/host/progress/progressworker.h"

#include <QString>

class IFileExporterHandler;
class QAbstractItemModel;
class QIODevice;

// Writes a model through a format handler under the export's progress dialog, in the English translation,
// pausing for the event loop every 20 ms.
class FileExporterProgressWorker : public ProgressWorker
{
public:
    FileExporterProgressWorker(ProgressDialog* dialog, QAbstractItemModel* model, IFileExporterHandler* handler,
        QIODevice* device, bool* cancelled, bool* ok);

    int run() override;
    QString errorText() const { return m_error; }

private:
    QAbstractItemModel* m_model; // not owned
    IFileExporterHandler* m_handler; // not owned
    QIODevice* m_device; // not owned
    bool* m_cancelled;
    bool* m_ok;
    QString m_error;
};
