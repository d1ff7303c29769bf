#pragma once

#include "export/dynamic/dynamicexporter.h"

class DynamicExporterPrivate
{
public:
    // The timers are the exporter's children, as they were before.
    explicit DynamicExporterPrivate(DynamicExporter* q)
        : timer(q)
        , firstWrite(q)
    { }

    IView* view = nullptr; // not owned
    QString fileName;
    QTimer timer;
    QTimer firstWrite;
    QSharedPointer<ExporterProxyModel> model;
    QPointer<const QAbstractItemModel> watched; // the source whose changes are followed
    bool changed = true;
    int interval = 300;
    bool exporting = false;
    int token = -1;
    bool translatorSwitch = false;
    bool running = false;
    bool writeAgain = false; // a write was asked for while one was outstanding
};
