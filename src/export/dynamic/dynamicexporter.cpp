#include "export/dynamic/dynamicexporter.h"

#include "core/db/settings.h"
#include "export/dynamic/dynamicexportermodel.h"
#include "export/dynamic/dynamicexportersetupdialog.h"
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
    , m_view(view)
    , m_timer(this)
    , m_firstWrite(this)
{
    connect(&m_timer, &QTimer::timeout, this, &DynamicExporter::onTimerTimeoout);
    m_firstWrite.setSingleShot(true);
    connect(&m_firstWrite, &QTimer::timeout, this, &DynamicExporter::doExport);
}

DynamicExporter::~DynamicExporter()
{
    if (m_running)
        stopInternal();
    // A write still queued reports to nobody.
    disconnect(FileExporter::instance(), nullptr, this, nullptr);
}

QString DynamicExporter::title() const
{
    const auto* widget = dynamic_cast<const QWidget*>(m_view);
    return widget ? widget->windowTitle() : QString();
}

bool DynamicExporter::setup(const QSharedPointer<ExporterProxyModel>& model)
{
    // The dialog is the window's child and runs the event loop: closing the window meanwhile deletes the dialog and
    // this exporter with it.
    const QPointer<DynamicExporter> alive(this);
    const QPointer<DynamicExporterSetupDialog> dialog = new DynamicExporterSetupDialog(dynamic_cast<QWidget*>(m_view));
    dialog->setFileName(m_fileName);
    dialog->setMinutes(m_interval / 60);
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
    m_model = model;
    m_fileName = fileName;
    m_interval = qBound(1, interval, MaxInterval);
    m_changed = true;
    return true;
}

void DynamicExporter::start(int delayMs)
{
    if (!m_model || !m_model->sourceModel() || m_running)
        return;
    m_watched = m_model->sourceModel();
    const QAbstractItemModel* source = m_watched.data();
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
    m_running = true;
    m_timer.start(m_interval * 1000);
    m_firstWrite.start(qMax(0, delayMs));
    Q_EMIT started();
}

void DynamicExporter::stop()
{
    if (m_running)
        stopInternal();
}

void DynamicExporter::stopInternal()
{
    m_running = false;
    m_timer.stop();
    m_firstWrite.stop();
    if (m_watched)
        disconnect(m_watched.data(), nullptr, this, nullptr);
    m_watched.clear();
    DynamicExporterModel::instance()->remove(this);
    FileExporter* exporter = FileExporter::instance();
    disconnect(exporter, &FileExporter::beginTranslatorUpdate, this, &DynamicExporter::onBeginTranslatorUpdate);
    disconnect(exporter, &FileExporter::endTranslatorUpdate, this, &DynamicExporter::onEndTranslatorUpdate);
    m_translatorSwitch = false;
    Q_EMIT stopped();
}

void DynamicExporter::onModelChanged()
{
    // The exporter's own switch to English headers changes the models: that is not a change of the table.
    if (!m_translatorSwitch)
        m_changed = true;
}

void DynamicExporter::onBeginTranslatorUpdate()
{
    m_translatorSwitch = true;
}

void DynamicExporter::onEndTranslatorUpdate()
{
    m_translatorSwitch = false;
}

void DynamicExporter::onTimerTimeoout()
{
    if (m_changed)
        doExport();
}

void DynamicExporter::doExport()
{
    if (m_exporting) {
        m_writeAgain = true;
        return;
    }
    m_exporting = true;
    // Changes from here on may miss this write: they wait for the next one.
    m_changed = false;
    m_timer.stop();
    FileExporter* exporter = FileExporter::instance();
    connect(exporter, &FileExporter::finished, this, &DynamicExporter::onExportFinished, Qt::UniqueConnection);
    FileExporter::ExportParams params { m_model, title(), QFileInfo(m_fileName), false };
    params.background = true;
    m_token = exporter->exportModel(params);
}

void DynamicExporter::onExportFinished(int token, int status, const QString&)
{
    if (token != m_token)
        return;
    m_token = -1;
    m_exporting = false;
    disconnect(FileExporter::instance(), &FileExporter::finished, this, &DynamicExporter::onExportFinished);
    // The file still holds the rows of the last good write.
    if (status != FileExporter::Written)
        m_changed = true;
    const bool again = std::exchange(m_writeAgain, false);
    if (status == FileExporter::Cancelled) {
        if (m_running)
            stopInternal();
    } else if (m_running && again) {
        doExport();
    } else if (m_running) {
        m_timer.start(m_interval * 1000);
    }
}

void DynamicExporter::store(Settings& settings) const
{
    settings.beginGroup(Group);
    settings.setValue(QStringLiteral("fileName"), m_fileName);
    settings.setValue(QStringLiteral("interval"), m_interval);
    settings.setValue(QStringLiteral("enabled"), isActive());
    settings.endGroup();
}

bool DynamicExporter::restore(const Settings& settings)
{
    const QString prefix = Group + QLatin1Char('/');
    m_fileName = settings.value(prefix + QStringLiteral("fileName"), QString()).toString();
    bool ok = false;
    const int interval = settings.value(prefix + QStringLiteral("interval"), 300).toInt(&ok);
    // A damaged interval falls back to the default rather than writing every second or never.
    m_interval = ok && interval > 0 ? qMin(interval, MaxInterval) : 300;
    return settings.value(prefix + QStringLiteral("enabled"), false).toBool() && !m_fileName.isEmpty();
}
