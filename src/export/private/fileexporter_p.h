#pragma once

#include "export/fileexporter.h"
#include "export/private/handlerregistry.h"

class FileExporterPrivate
{
public:
    HandlerRegistry<IFileExporterHandler> handlers;
    QList<QPair<int, FileExporter::ExportParams>> queue;
    QTimer waitForDialog;
    int nextToken = 1;
    bool busy = false;
};
