#include "export/fileexporter.h"
#include "export/private/fileexporter_p.h"

#include "core/db/guilog.h"
#include "core/host/busyscope.h"
#include "core/host/icore.h"
#include "core/host/progress/progressdialog.h"
#include "export/csvhandler.h"
#include "export/dbfhandler.h"
#include "export/exporterproxymodel.h"
#include "export/ifileexporterhandler.h"
#include "export/private/filechoice.h"
#include "export/private/fileexporterprogressworker.h"

#include <QMessageBox>
#include <QSaveFile>
#include <QScopeGuard>

namespace {

const QString SettingsGroup = QStringLiteral("exporter");
// How long a background export writes before its progress window shows.
constexpr int BackgroundProgressDelayMs = 1000;

} // namespace

FileExporter* FileExporter::instance()
{
    static FileExporter* exporter = new FileExporter;
    return exporter;
}

FileExporter::FileExporter()
    : m_d(new FileExporterPrivate)
{
    Q_D(FileExporter);
    d->waitForDialog.setSingleShot(true);
    d->waitForDialog.setInterval(ProgressDialog::DialogInUseRetryMs);
    connect(&d->waitForDialog, &QTimer::timeout, this, qOverload<>(&FileExporter::processDelayed));
    addHandler(new CSVHandler);
    addHandler(new DBFHandler(DBFHandler::DBase4));
    addHandler(new DBFHandler(DBFHandler::DBase7));
}

FileExporter::~FileExporter() = default;

QList<QByteArray> FileExporter::formats() const
{
    Q_D(const FileExporter);
    return d->handlers.formats();
}

IFileExporterHandler* FileExporter::handler(const QByteArray& format) const
{
    Q_D(const FileExporter);
    // Formats are file suffixes, which name a format whatever their case ("ORDERS.DBF").
    return d->handlers.handler(format);
}

QList<IFileExporterHandler*> FileExporter::handlers() const
{
    Q_D(const FileExporter);
    return d->handlers.handlers();
}

void FileExporter::addHandler(IFileExporterHandler* handler)
{
    Q_D(FileExporter);
    d->handlers.add(handler);
}

QString FileExporter::filter() const
{
    Q_D(const FileExporter);
    QStringList entries;
    for (const IFileExporterHandler* h : d->handlers.handlers())
        entries << FileChoice::filterEntry(h->filterString(), h->format());
    entries << tr("Все файлы (*.*)");
    return entries.join(QStringLiteral(";;"));
}

int FileExporter::getToken()
{
    Q_D(FileExporter);
    return d->nextToken++;
}

QFileInfo FileExporter::askExportFile(const QString& name, const QString& caption)
{
    Q_UNUSED(name)
    FileChoice choice { SettingsGroup, QFileDialog::AcceptSave, caption.isEmpty() ? tr("Экспортировать") : caption,
        filter().split(QStringLiteral(";;")), [this](const QString& format) {
            const IFileExporterHandler* h = handler(format.toLatin1());
            return h ? FileChoice::filterEntry(h->filterString(), h->format()) : QString();
        } };
    return choice.ask();
}

int FileExporter::exportModel(QSharedPointer<ExporterProxyModel>& model, const QString& name, const QString& caption)
{
    const QFileInfo file = askExportFile(name, caption);
    if (file.filePath().isEmpty()) {
        const int token = getToken();
        // Queued, so the caller holds the token before it is reported.
        QMetaObject::invokeMethod(
            this, [this, token] { Q_EMIT finished(token, Cancelled, QString()); }, Qt::QueuedConnection);
        return token;
    }
    return exportModel(ExportParams { model, name, file, true });
}

int FileExporter::exportModel(const ExportParams& params)
{
    Q_D(FileExporter);
    const int token = getToken();
    d->queue.append({ token, params });
    QMetaObject::invokeMethod(
        this, [this] { processDelayed(); }, Qt::QueuedConnection);
    return token;
}

// One export per event-loop turn; a call arriving while one runs (its dialog runs the loop) leaves the queue
// to the running one, which re-posts itself when done.
void FileExporter::processDelayed()
{
    Q_D(FileExporter);
    if (d->busy || d->queue.isEmpty())
        return;
    // An export started now would run inside the event loop of the dialog the trader is using, and its progress
    // window would cover that dialog: the queue waits for the dialog to close.
    if (ProgressDialog::dialogInUse()) {
        d->waitForDialog.start();
        return;
    }
    d->busy = true;
    d->handlers.beginBusy();
    const QPair<int, ExportParams> entry = d->queue.takeFirst();
    QString error;
    const ExportStatus status = processDelayed(entry.second, &error);
    Q_EMIT finished(entry.first, status, error);
    if (status == Failed)
        report(entry.second, error);
    if (!d->queue.isEmpty())
        QMetaObject::invokeMethod(
            this, [this] { processDelayed(); }, Qt::QueuedConnection);
    d->busy = false;
    d->handlers.endBusy();
}

FileExporter::ExportStatus FileExporter::processDelayed(const ExportParams& params, QString* error)
{
    ExporterProxyModel* model = params.model.data();
    if (!model || !model->sourceModel()) {
        *error = unavailable();
        return Failed;
    }
    const BusyScope busy;
    model->enterExport();
    const auto restore = qScopeGuard([model] { model->leaveExport(); });

    const QString suffix = params.file.suffix();
    IFileExporterHandler* h = handler(suffix.toLatin1());
    if (!h) {
        *error = tr("Формат %1 не поддерживается").arg(suffix);
        return Failed;
    }
    const QString path = params.file.absoluteFilePath();
    QSaveFile file(path);
    if (params.file.isDir() || !file.open(QIODevice::WriteOnly)) {
        *error = tr("Невозможно открыть файл на запись: %1").arg(path);
        return Failed;
    }

    ProgressDialog dialog;
    dialog.setMinimumDuration(params.background ? BackgroundProgressDelayMs : 0);
    dialog.setWindowTitle(tr("Экспорт"));
    dialog.setText(tr("Экспортирую таблицу '%1'").arg(params.name));
    bool cancelled = false;
    bool ok = true;
    FileExporterProgressWorker worker(&dialog, model, h, &file, &cancelled, &ok);
    dialog.execWorker(&worker);

    // The window was closed or switched while its rows were written: the previous file stays.
    if (worker.sourceLost() || !model->sourceModel()) {
        *error = unavailable();
        file.cancelWriting();
        return Failed;
    }
    if (!ok) {
        *error = worker.errorText();
        file.cancelWriting();
        return Failed;
    }
    if (cancelled) {
        file.cancelWriting();
        return Cancelled;
    }
    // Only now does the complete file take the target's place.
    if (!file.commit()) {
        *error = file.errorString();
        return Failed;
    }
    return Written;
}

QString FileExporter::unavailable()
{
    return tr("Объект экспорта недоступен");
}

void FileExporter::report(const ExportParams& params, const QString& error)
{
    const QString text
        = tr("Невозможно экспортировать таблицу в файл %1: %2").arg(params.file.absoluteFilePath(), error);
    if (ICore* core = ICore::instance())
        core->notify(text);
    qCDebug(QGuiLog).noquote() << text;
    if (params.showMessageBox)
        QMessageBox::warning(nullptr, tr("Ошибка"), text, QMessageBox::Ok);
}
