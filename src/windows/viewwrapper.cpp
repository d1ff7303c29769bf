#include "windows/viewwrapper.h"

#include "core/db/appsettings.h"
#include "core/host/actions/action.h"
#include "core/host/actions/actionmanager.h"
#include "core/host/actions/command.h"
#include "core/host/busyscope.h"
#include "core/host/icore.h"
#include "core/host/progress/progressdialog.h"
#include "export/dynamic/dynamicexporter.h"
#include "export/exporterproxymodel.h"
#include "export/fileexporter.h"
#include "export/private/copytoclipboardworker.h"
#include "views/iview.h"
#include "windows/private/viewwrapper_p.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QHeaderView>
#include <QPointer>
#include <QSet>
#include <QTimer>

namespace {

// A restored export waits for its window to settle (models built, columns restored) before the first write.
const int RestoredExportDelayMs = 2000;
// A view that has no model yet is asked again this often.
const int NoModelRetryMs = 100;

} // namespace

namespace {

struct Look
{
    const char* id;
    const char* text;
    const char* icon;
    QKeySequence shortcut;
};

const Look* looks(int* count)
{
    static const Look all[] = {
        { "CopyToClipboard", QT_TRANSLATE_NOOP("ViewWrapper", "Копировать в буфер обмена"), "edit-copy",
            QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_C) },
        { "Export", QT_TRANSLATE_NOOP("ViewWrapper", "Экспорт в файл..."), "document-save-as",
            QKeySequence(Qt::CTRL + Qt::Key_E) },
        { "ExportDynamic", QT_TRANSLATE_NOOP("ViewWrapper", "Динамический экспорт..."), "document-save",
            QKeySequence() },
    };
    *count = int(sizeof(all) / sizeof(all[0]));
    return all;
}

// The commands whose looks are the wrapper's, not the host's: a language change sets their texts again.
QSet<QString>& definedHere()
{
    static QSet<QString> ids;
    return ids;
}

} // namespace

void ViewWrapper::defineCommands()
{
    ActionManager* commands = ActionManager::instance();
    int count = 0;
    const Look* all = looks(&count);
    for (int i = 0; i < count; ++i) {
        const Look& look = all[i];
        const QString id = QString::fromLatin1(look.id);
        const Command* defined = commands->findCommand(id);
        if (!defined || defined->text().isEmpty()) {
            commands->registerCommand(id, QCoreApplication::translate("ViewWrapper", look.text),
                QIcon::fromTheme(QString::fromLatin1(look.icon)), look.shortcut);
            definedHere().insert(id);
        }
    }
}

void ViewWrapper::translateCommands()
{
    ActionManager* commands = ActionManager::instance();
    int count = 0;
    const Look* all = looks(&count);
    for (int i = 0; i < count; ++i) {
        const QString id = QString::fromLatin1(all[i].id);
        Command* command = commands->findCommand(id);
        if (command && definedHere().contains(id))
            command->setText(QCoreApplication::translate("ViewWrapper", all[i].text));
    }
}

namespace {

Action* wrapperAction(const char* id, QObject* parent)
{
    ViewWrapper::defineCommands();
    return new Action(QString::fromLatin1(id), parent);
}

} // namespace

ViewWrapper::ViewWrapper(IView* view, QAbstractItemView* itemView)
    : QObject(itemView)
    , m_d(new ViewWrapperPrivate)
{
    Q_D(ViewWrapper);
    d->view = view;
    d->itemView = itemView;
    d->exporter = new DynamicExporter(view, this);
    d->copy = wrapperAction("CopyToClipboard", itemView);
    d->exportAction = wrapperAction("Export", itemView);
    d->exportDynamic = wrapperAction("ExportDynamic", itemView);
    d->exportDynamic->setCheckable(true);
    itemView->addActions(actions());
    connect(d->copy, &QAction::triggered, this, &ViewWrapper::copyToClipboard);
    connect(d->exportAction, &QAction::triggered, this, &ViewWrapper::exportTable);
    connect(d->exportDynamic, &QAction::toggled, this, &ViewWrapper::exportDynamic);
    connect(d->exporter, &DynamicExporter::started, this, &ViewWrapper::onDynamicExportStatusChanged);
    connect(d->exporter, &DynamicExporter::stopped, this, &ViewWrapper::onDynamicExportStatusChanged);
    // Views that can swap their header (the fast table view) say so.
    if (itemView->metaObject()->indexOfSignal("headerChanged(QHeaderView*)") >= 0)
        connect(itemView, SIGNAL(headerChanged(QHeaderView*)), this, SLOT(setHeader(QHeaderView*)));
}

ViewWrapper::~ViewWrapper()
{
    Q_D(ViewWrapper);
    // The exporter goes first: its stopped() must not reach actions being destroyed.
    d->exporter->disconnect(this);
}

QAction* ViewWrapper::copyToClipboardAction() const
{
    Q_D(const ViewWrapper);
    return d->copy;
}

QAction* ViewWrapper::exportAction() const
{
    Q_D(const ViewWrapper);
    return d->exportAction;
}

QAction* ViewWrapper::exportDynamicAction() const
{
    Q_D(const ViewWrapper);
    return d->exportDynamic;
}

DynamicExporter* ViewWrapper::dynamicExporter() const
{
    Q_D(const ViewWrapper);
    return d->exporter;
}

QAbstractItemView* ViewWrapper::itemView() const
{
    Q_D(const ViewWrapper);
    return d->itemView;
}

QHeaderView* ViewWrapper::header() const
{
    Q_D(const ViewWrapper);
    return d->header;
}

void ViewWrapper::setModel(const QAbstractItemModel* model)
{
    Q_D(ViewWrapper);
    d->model = model;
}

QList<QAction*> ViewWrapper::actions() const
{
    Q_D(const ViewWrapper);
    return { d->copy, d->exportAction, d->exportDynamic };
}

const QAbstractItemModel* ViewWrapper::model() const
{
    Q_D(const ViewWrapper);
    return d->model ? d->model.data() : d->itemView->model();
}

QList<int> ViewWrapper::columnsExport() const
{
    Q_D(const ViewWrapper);
    const QAbstractItemModel* model = this->model();
    const bool all = AppSettings(QStringLiteral("exporter")).value(QStringLiteral("exportAllColumns"), true).toBool();
    if (all || !d->header)
        return columnsAll(model);
    const QList<int> visible = columnsVisible(model, d->header);
    return visible.isEmpty() ? columnsAll(model) : visible;
}

QSharedPointer<ExporterProxyModel> ViewWrapper::createProxyModel(
    const QAbstractItemModel* model, const QList<int>& columns) const
{
    return ExporterProxyModel::create(model, columns);
}

QSharedPointer<ExporterProxyModel> ViewWrapper::exportModel() const
{
    return createProxyModel(model(), columnsExport());
}

QString ViewWrapper::viewTitle() const
{
    Q_D(const ViewWrapper);
    const QString title = d->exporter->title();
    return title.isEmpty() ? d->itemView->windowTitle() : title;
}

void ViewWrapper::notify(const QString& text) const
{
    if (ICore* core = ICore::instance())
        core->notify(text);
}

void ViewWrapper::copyToClipboard()
{
    Q_D(ViewWrapper);
    const QAbstractItemModel* model = this->model();
    if (!model)
        return;
    QList<int> columns = d->header ? columnsVisible(model, d->header) : QList<int>();
    if (columns.isEmpty())
        columns = columnsAll(model);
    const QSharedPointer<ExporterProxyModel> proxy = createProxyModel(model, columns);
    const QString title = viewTitle();
    const int rows = proxy->rowCount();
    if (copyModelToClipboard(proxy.data()))
        notify(tr("Скопировано в буфер обмена: %1, строк: %2").arg(title).arg(rows));
}

void ViewWrapper::exportTable()
{
    if (!model())
        return;
    QSharedPointer<ExporterProxyModel> proxy = exportModel();
    const QString title = viewTitle();
    FileExporter* exporter = FileExporter::instance();
    // The file dialog runs the event loop: the window may be closed before it returns.
    const QPointer<ViewWrapper> alive(this);
    const int token = exporter->exportModel(proxy, title, QString());
    if (!alive)
        return;
    // Failures are reported by the exporter itself; say where a written file went.
    auto* watch = new QObject(this);
    connect(exporter, &FileExporter::finished, watch, [this, token, title, watch](int finished, int status) {
        if (finished != token)
            return;
        if (status == FileExporter::Written)
            notify(tr("Окно «%1» экспортировано").arg(title));
        watch->deleteLater();
    });
}

void ViewWrapper::exportDynamic(bool on)
{
    Q_D(ViewWrapper);
    if (on == d->exporter->isActive())
        return;
    if (!on) {
        d->exporter->stop();
        return;
    }
    // The set-up dialog runs the event loop: the window may be closed before it returns.
    const QPointer<ViewWrapper> alive(this);
    const QPointer<QAction> action = qobject_cast<QAction*>(sender());
    const bool accepted = model() && d->exporter->setup(exportModel());
    if (!alive)
        return;
    if (accepted) {
        d->exporter->start(0);
        return;
    }
    if (action)
        action->setChecked(false);
    else
        d->exportDynamic->setChecked(false);
}

void ViewWrapper::restartDynamicExport(bool force, int delayMs)
{
    Q_D(ViewWrapper);
    const bool wasRunning = d->exporter->isActive();
    d->exporter->stop();
    if (!force && !wasRunning)
        return;
    if (!model()) {
        QTimer::singleShot(NoModelRetryMs, this, [this] { restartDynamicExport(true, 0); });
        return;
    }
    d->exporter->setup(exportModel(), d->exporter->fileName(), d->exporter->interval());
    d->exporter->start(delayMs);
}

void ViewWrapper::setHeader(QHeaderView* header)
{
    Q_D(ViewWrapper);
    d->header = header;
    restartDynamicExport(false, 0);
}

void ViewWrapper::onDynamicExportStatusChanged()
{
    Q_D(ViewWrapper);
    d->exportDynamic->setChecked(d->exporter->isActive());
}

void ViewWrapper::store(Settings& settings) const
{
    Q_D(const ViewWrapper);
    d->exporter->store(settings);
}

void ViewWrapper::restore(const Settings& settings)
{
    Q_D(ViewWrapper);
    if (d->exporter->restore(settings))
        restartDynamicExport(true, RestoredExportDelayMs);
}

bool ViewWrapper::copyModelToClipboard(ExporterProxyModel* model)
{
    if (!model || !model->sourceModel())
        return false;
    const BusyScope busy;
    model->enterExport();

    ProgressDialog dialog;
    dialog.setWindowTitle(tr("Копирование"));
    dialog.setText(tr("Копирую в буфер обмена"));
    CopyToClipboardWorker worker(&dialog, model);
    const bool copied = dialog.execWorker(&worker) == 1;

    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    model->leaveExport();
    return copied;
}
