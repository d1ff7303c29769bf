#include "export/dynamic/dynamicexporter.h"
#include "export/dynamic/private/dynamicexporter_p.h"

#include "core/db/settings.h"
#include "export/dynamic/private/dynamicexportermodel.h"
#include "export/dynamic/private/dynamicexportersetupdialog.h"
#include "export/exporterproxymodel.h"
#include "export/fileexporter.h"
#include "views/iview.h"

#include <QWidget>

#include <utility>

namespace {

const QString Group = QStringLiteral("DynamicExporter");

} // namespace

DynamicExporter::DynamicExporter(IView* view, QObject* parent)
    : QObject(parent)
    , m_d(new DynamicExporterPrivate(this))
{
    Q_D(DynamicExporter);
    d->view = view;
    connect(&d->timer, &QTimer::timeout, this, &DynamicExporter::onTimerTimeoout);
    d->firstWrite.setSingleShot(true);
    connect(&d->firstWrite, &QTimer::timeout, this, &DynamicExporter::doExport);
}

DynamicExporter::~DynamicExporter()
{
    Q_D(DynamicExporter);
    if (d->running)
        stopInternal();
    // A write still queued reports to nobody.
    disconnect(FileExporter::instance(), nullptr, this, nullptr);
}

QString DynamicExporter::title() const
{
    Q_D(const DynamicExporter);
    const auto* widget = dynamic_cast<const QWidget*>(d->view);
    return widget ? widget->windowTitle() : QString();
}

bool DynamicExporter::setup(const QSharedPointer<ExporterProxyModel>& model)
{
    Q_D(DynamicExporter);
    // The dialog is the window's child and runs the event loop: closing the window meanwhile deletes the dialog and
    // this exporter with it.
    const QPointer<DynamicExporter> alive(this);
    const QPointer<DynamicExporterSetupDialog> dialog = new DynamicExporterSetupDialog(dynamic_cast<QWidget*>(d->view));
    dialog->setFileName(d->fileName);
    dialog->setMinutes(d->interval / 60);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!alive || !dialog)
        return false;
    const QString fileName = dialog->fileName();
    const int minutes = dialog->minutes();
    dialog->deleteLater();
    return accepted && setup(model, fileName, minutes * 60);
}

bool DynamicExporter::setup(const QSharedPointer<ExporterProxyModel>& model, const QString& fileName, int interval)
{
    Q_D(DynamicExporter);
    d->model = model;
    d->fileName = fileName;
    d->interval = qBound(1, interval, MaxInterval);
    d->changed = true;
    return true;
}

void DynamicExporter::start(int delayMs)
{
    Q_D(DynamicExporter);
    if (!d->model || !d->model->sourceModel() || d->running)
        return;
    d->watched = d->model->sourceModel();
    const QAbstractItemModel* source = d->watched.data();
    connect(source, &QAbstractItemModel::rowsInserted, this, &DynamicExporter::onModelChanged);
    connect(source, &QAbstractItemModel::rowsRemoved, this, &DynamicExporter::onModelChanged);
    connect(source, &QAbstractItemModel::rowsMoved, this, &DynamicExporter::onModelChanged);
    connect(source, &QAbstractItemModel::modelReset, this, &DynamicExporter::onModelChanged);
    connect(source, &QAbstractItemModel::layoutChanged, this, &DynamicExporter::onModelChanged);
    connect(source, &QAbstractItemModel::dataChanged, this, &DynamicExporter::onModelChanged);
    DynamicExporterModel::instance()->append(this);
    FileExporter* exporter = FileExporter::instance();
    connect(exporter, &FileExporter::beginTranslatorUpdate, this, &DynamicExporter::onBeginTranslatorUpdate);
    connect(exporter, &FileExporter::endTranslatorUpdate, this, &DynamicExporter::onEndTranslatorUpdate);
    d->running = true;
    d->timer.start(d->interval * 1000);
    d->firstWrite.start(qMax(0, delayMs));
    Q_EMIT started();
}

void DynamicExporter::stop()
{
    Q_D(DynamicExporter);
    if (d->running)
        stopInternal();
}

void DynamicExporter::stopInternal()
{
    Q_D(DynamicExporter);
    d->running = false;
    d->timer.stop();
    d->firstWrite.stop();
    if (d->watched)
        disconnect(d->watched.data(), nullptr, this, nullptr);
    d->watched.clear();
    DynamicExporterModel::instance()->remove(this);
    FileExporter* exporter = FileExporter::instance();
    disconnect(exporter, &FileExporter::beginTranslatorUpdate, this, &DynamicExporter::onBeginTranslatorUpdate);
    disconnect(exporter, &FileExporter::endTranslatorUpdate, this, &DynamicExporter::onEndTranslatorUpdate);
    d->translatorSwitch = false;
    Q_EMIT stopped();
}

void DynamicExporter::onModelChanged()
{
    Q_D(DynamicExporter);
    // The exporter's own switch to English headers changes the models: that is not a change of the table.
    if (!d->translatorSwitch)
        d->changed = true;
}

void DynamicExporter::onBeginTranslatorUpdate()
{
    Q_D(DynamicExporter);
    d->translatorSwitch = true;
}

void DynamicExporter::onEndTranslatorUpdate()
{
    Q_D(DynamicExporter);
    d->translatorSwitch = false;
}

void DynamicExporter::onTimerTimeoout()
{
    Q_D(DynamicExporter);
    if (d->changed)
        doExport();
}

void DynamicExporter::doExport()
{
    Q_D(DynamicExporter);
    if (d->exporting) {
        d->writeAgain = true;
        return;
    }
    d->exporting = true;
    // Changes from here on may miss this write: they wait for the next one.
    d->changed = false;
    d->timer.stop();
    FileExporter* exporter = FileExporter::instance();
    connect(exporter, &FileExporter::finished, this, &DynamicExporter::onExportFinished, Qt::UniqueConnection);
    FileExporter::ExportParams params { d->model, title(), QFileInfo(d->fileName), false };
    params.background = true;
    d->token = exporter->exportModel(params);
}

void DynamicExporter::onExportFinished(int token, int status, const QString&)
{
    Q_D(DynamicExporter);
    if (token != d->token)
        return;
    d->token = -1;
    d->exporting = false;
    disconnect(FileExporter::instance(), &FileExporter::finished, this, &DynamicExporter::onExportFinished);
    // The file still holds the rows of the last good write.
    if (status != FileExporter::Written)
        d->changed = true;
    const bool again = std::exchange(d->writeAgain, false);
    if (status == FileExporter::Cancelled) {
        if (d->running)
            stopInternal();
    } else if (d->running && again) {
        doExport();
    } else if (d->running) {
        d->timer.start(d->interval * 1000);
    }
}

void DynamicExporter::store(Settings& settings) const
{
    Q_D(const DynamicExporter);
    settings.beginGroup(Group);
    settings.setValue(QStringLiteral("fileName"), d->fileName);
    settings.setValue(QStringLiteral("interval"), d->interval);
    settings.setValue(QStringLiteral("enabled"), isActive());
    settings.endGroup();
}

bool DynamicExporter::restore(const Settings& settings)
{
    Q_D(DynamicExporter);
    const QString prefix = Group + QLatin1Char('/');
    d->fileName = settings.value(prefix + QStringLiteral("fileName"), QString()).toString();
    bool ok = false;
    const int interval = settings.value(prefix + QStringLiteral("interval"), 300).toInt(&ok);
    // A damaged interval falls back to the default rather than writing every second or never.
    d->interval = ok && interval > 0 ? qMin(interval, MaxInterval) : 300;
    return settings.value(prefix + QStringLiteral("enabled"), false).toBool() && !d->fileName.isEmpty();
}

IView* DynamicExporter::view() const
{
    return d_func()->view;
}

QString DynamicExporter::fileName() const
{
    return d_func()->fileName;
}

int DynamicExporter::interval() const
{
    return d_func()->interval;
}

bool DynamicExporter::isActive() const
{
    return d_func()->running;
}

bool DynamicExporter::isExporting() const
{
    return d_func()->exporting;
}

QSharedPointer<ExporterProxyModel> DynamicExporter::model() const
{
    return d_func()->model;
}
