#pragma once

#include "basic_views_export.h"

#include <QByteArray>
#include <QString>

class QAbstractItemModel;
class QIODevice;

// One export format (CSV, dBASE): writes a model to an open device, row by row, for the file exporter, which
// owns one handler per format and finds it by the target's suffix (the format's name).
class BASIC_VIEWS_EXPORT IFileExporterHandler
{
public:
    virtual ~IFileExporterHandler();
    // The format's name, which is also the file suffix ("csv", "dbf", "dbf7").
    virtual QByteArray format() const = 0;
    // Starts writing the model to the open device; neither is owned.
    virtual bool begin(QIODevice* device, QAbstractItemModel* model) = 0;
    virtual bool writeHeader() = 0;
    virtual bool writeRow(int row) = 0;
    virtual bool writeFooter() = 0;
    // Releases the device and the model.
    virtual void end() = 0;
    // The text of the last failure.
    virtual QString lastError() = 0;

protected:
    friend class FileExporter;
    // The translated name of the format for the file dialog.
    virtual QString filterString() const = 0;
};
