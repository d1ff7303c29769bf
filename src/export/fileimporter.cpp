#include "export/fileimporter.h"
#include "export/private/fileimporter_p.h"

#include "core/db/table.h"
#include "core/host/progress/progressdialog.h"
#include "export/csvhandlerimporter.h"
#include "export/fileimporterconvertor.h"
#include "export/importercolumnswizardpage.h"
#include "export/private/filechoice.h"
#include "export/private/importercolumnswizard.h"
#include "export/private/importerprogressworker.h"

#include <QFile>
#include <QPointer>
#include <QScopeGuard>

namespace {

const QString SettingsGroup = QStringLiteral("importer");

} // namespace

FileImporter* FileImporter::instance()
{
    static FileImporter* importer = new FileImporter;
    return importer;
}

FileImporter::FileImporter()
    : m_d(new FileImporterPrivate)
{
    addHandler(new CSVHandlerImporter);
}

FileImporter::~FileImporter() = default;

QList<QByteArray> FileImporter::formats() const
{
    Q_D(const FileImporter);
    return d->handlers.formats();
}

IFileImporterHandler* FileImporter::handler(const QByteArray& format) const
{
    Q_D(const FileImporter);
    return d->handlers.handler(format);
}

QList<IFileImporterHandler*> FileImporter::handlers() const
{
    Q_D(const FileImporter);
    return d->handlers.handlers();
}

void FileImporter::addHandler(IFileImporterHandler* handler)
{
    Q_D(FileImporter);
    d->handlers.add(handler);
}

QString FileImporter::filter() const
{
    Q_D(const FileImporter);
    QStringList entries;
    for (const IFileImporterHandler* h : d->handlers.handlers())
        entries << FileChoice::filterEntry(h->filterString(), h->format());
    return entries.join(QStringLiteral(";;"));
}

QFileInfo FileImporter::askImportFile(const QString& name, const QString& caption)
{
    Q_UNUSED(name)
    FileChoice choice { SettingsGroup, QFileDialog::AcceptOpen, caption.isEmpty() ? tr("Импортировать") : caption,
        filter().split(QStringLiteral(";;")), [this](const QString& format) {
            const IFileImporterHandler* h = handler(format.toLatin1());
            return h ? FileChoice::filterEntry(h->filterString(), h->format()) : QString();
        } };
    return choice.ask();
}

QString FileImporter::setupHandlerDevice(const QFileInfo& file, IFileImporterHandler** handler, QFile& device) const
{
    const QString suffix = file.suffix();
    *handler = this->handler(suffix.toLatin1());
    if (!*handler)
        return tr("Формат %1 не поддерживается").arg(suffix);
    device.setFileName(file.absoluteFilePath());
    if (file.isDir() || !device.open(QIODevice::ReadOnly))
        return tr("Невозможно открыть файл: %1").arg(file.absoluteFilePath());
    return QString();
}

QString FileImporter::setupParamsUi(const QFileInfo& file, Table* table, FileImporterConvertor* convertor,
    QMap<QString, int>& mapping, QMap<QString, QVariant>& params)
{
    Q_D(FileImporter);
    IFileImporterHandler* handler = nullptr;
    QFile device;
    const QString error = setupHandlerDevice(file, &handler, device);
    if (!error.isEmpty())
        return error;
    // The wizard runs its own event loop, in which the handler could be replaced or the table closed.
    d->handlers.beginBusy();
    const auto idle = qScopeGuard([d] { d->handlers.endBusy(); });

    QPointer<ImporterColumnsWizard> wizard = new ImporterColumnsWizard;
    ImporterColumnsWizardPage* page = wizard->page();
    page->setTargets(ImporterTargets::from(table, convertor));
    QWidget* panel = handler->createImporterUi(&device, page);
    page->setPanel(panel);
    const bool accepted = wizard->exec() == QDialog::Accepted;
    if (!wizard)
        return tr("Отменено пользователем");
    const auto release = qScopeGuard([&wizard] { delete wizard; });
    if (!accepted)
        return tr("Отменено пользователем");
    params = handler->paramsFromUi(panel);
    mapping = page->mapping();
    return QString();
}

void FileImporter::importData(Result& result, const QFileInfo& file, Table* table, FileImporterConvertor* convertor)
{
    QPointer<Table> target(table);
    const QString name = table->name();
    QMap<QString, int> mapping;
    QMap<QString, QVariant> params;
    const QString answer = setupParamsUi(file, table, convertor, mapping, params);
    if (!answer.isEmpty()) {
        result.messages << answer;
        result.cancelled = answer == tr("Отменено пользователем");
        return;
    }
    if (!target) {
        result.messages << ImporterProgressWorker::tableClosed(name);
        return;
    }
    importData(result, file, table, convertor, mapping, params);
}

void FileImporter::importData(Result& result, const QFileInfo& file, Table* table, FileImporterConvertor* convertor,
    const QMap<QString, int>& mapping, const QMap<QString, QVariant>& params)
{
    IFileImporterHandler* handler = nullptr;
    QFile device;
    const QString error = setupHandlerDevice(file, &handler, device);
    if (!error.isEmpty()) {
        result.messages << error;
        return;
    }
    importData(result, &device, handler, table, convertor, mapping, params);
}

void FileImporter::importData(Result& result, QIODevice* device, IFileImporterHandler* handler, Table* table,
    FileImporterConvertor* convertor, const QMap<QString, int>& mapping, const QMap<QString, QVariant>& params)
{
    Q_D(FileImporter);
    d->handlers.beginBusy();
    const auto idle = qScopeGuard([d] { d->handlers.endBusy(); });
    ProgressDialog dialog;
    dialog.setWindowTitle(tr("Импорт"));
    dialog.setText(tr("Импортирую..."));
    convertor->begin();
    ImporterProgressWorker worker(&dialog, table, handler, device, convertor, params, mapping, &result);
    dialog.execWorker(&worker);
    convertor->end();
}
