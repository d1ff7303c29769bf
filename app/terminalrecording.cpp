#include "terminalrecording.h"

#include "core/db/table.h"
#include "core/host/embedded/embeddedcore.h"
#include "core/host/stream/streamrecorder.h"
#include "core/host/tableregistry.h"

#include <QCoreApplication>

#include <cstdio>

std::unique_ptr<StreamRecorder> TerminalRecording::start(EmbeddedCore* core, const QString& path)
{
    QList<Table*> tables;
    for (const QString& name : core->tables()->names())
        tables << core->tables()->table(name);
    auto recorder = std::make_unique<StreamRecorder>(tables, path);
    // Also on the console: a recording that fails as the terminal closes has no pane left to show it.
    QObject::connect(recorder.get(), &StreamRecorder::stopped, core, [core](const QString& reason) {
        core->notify(reason);
        std::fprintf(stderr, "%s\n", qPrintable(reason));
    });
    QObject::connect(
        QCoreApplication::instance(), &QCoreApplication::aboutToQuit, recorder.get(), &StreamRecorder::stop);
    core->notify(QCoreApplication::translate("Terminal", "Поток записывается в '%1'").arg(recorder->path()));
    return recorder;
}
