#include "importcommand.h"

#include "columns/itemmodelwithdelegates.h"
#include "core/db/masterindex.h"
#include "core/host/icore.h"
#include "core/host/tableregistry.h"
#include "hostwindow.h"
#include "instrumentpicks.h"
#include "limitsimportconvertor.h"
#include "models/filterrecordsmodel.h"
#include "moneylimits.h"
#include "picksimportconvertor.h"
#include "undo/transaction.h"
#include "undo/transinsert.h"
#include "undo/transupdate.h"

#include <QAction>
#include <QEvent>
#include <QMdiArea>
#include <QMessageBox>
#include <QUndoStack>

#include <memory>

namespace {

const QString LimitsKind = QStringLiteral("limits");
const QString PicksKind = QStringLiteral("picks");

// The step that takes an import back: an insert for each key the import added, an update for each record it
// changed. Its first redo finds every value in place already, so the table hears of nothing twice.
Undo::Transaction* importStep(Table* table, const QList<Record>& before)
{
    const MasterIndex* master = table->masterIndex();
    QMultiHash<uint, Record> earlier;
    for (const Record& r : before)
        earlier.insert(master->keyHash(r), r);
    auto* step = new Undo::Transaction(table);
    step->setText(QObject::tr("Импорт из файла"));
    for (const Record& now : *master) {
        const uint hash = master->keyHash(now);
        Record was;
        for (auto it = earlier.constFind(hash); it != earlier.constEnd() && it.key() == hash; ++it) {
            if (master->compareKeys(*it, now) == 0)
                was = *it;
        }
        if (was.isNull()) {
            new Undo::TransInsert(now.clone(), step);
            continue;
        }
        for (int c = 0; c < table->columnCount(); ++c) {
            if (was.data(c).toVariant() != now.data(c).toVariant()) {
                new Undo::TransUpdate(was, now.clone(), step);
                break;
            }
        }
    }
    if (step->childCount() == 0) {
        delete step;
        return nullptr;
    }
    return step;
}

} // namespace

ImportCommand::ImportCommand(QMdiArea* area, MoneyLimits* limits, InstrumentPicks* picks, ICore* core, QObject* parent)
    : QObject(parent)
    , m_area(area)
    , m_limits(limits)
    , m_picks(picks)
    , m_core(core)
    , m_action(new QAction(this))
{
    retranslate();
    m_action->setEnabled(false);
    connect(m_action, &QAction::triggered, this, &ImportCommand::run);
    connect(m_area, &QMdiArea::subWindowActivated, this, &ImportCommand::onSubWindowActivated);
}

void ImportCommand::retranslate()
{
    m_action->setText(tr("Импорт..."));
    m_action->setToolTip(m_target == Limits && !m_limits->isEditable() ? m_limits->editReason() : m_action->text());
    m_action->setStatusTip(m_target == Limits && m_limits ? m_limits->editReason() : QString());
}

bool ImportCommand::event(QEvent* event)
{
    // Told by the window that holds it.
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    return QObject::event(event);
}

void ImportCommand::onSubWindowActivated(QMdiSubWindow* window)
{
    const auto* host = qobject_cast<HostWindow*>(window);
    const QString kind = host ? host->windowName() : QString();
    m_target = kind == LimitsKind && m_limits && m_limits->table()                                        ? Limits
        : kind == PicksKind && m_picks && m_core && m_core->tables()->table(QStringLiteral("securities")) ? Picks
                                                                                                          : None;
    // Into the limits of a recording nothing is imported: the action stays, off, saying why.
    m_action->setEnabled(m_target == Picks || (m_target == Limits && m_limits->isEditable()));
    retranslate();
}

void ImportCommand::run()
{
    // The dialogs to come take the activation from the window the import goes to.
    const Target target = m_target;
    const QString name = target == Picks ? tr("Мои инструменты") : tr("Денежные лимиты");
    const QFileInfo file = FileImporter::instance()->askImportFile(name, QString());
    if (file.filePath().isEmpty())
        return;
    // The terminal may close while the wizard or the progress window runs.
    const QPointer<ImportCommand> self(this);
    const FileImporter::Result result = importInto(target, file);
    if (self)
        show(result);
}

FileImporter::Result ImportCommand::importFile(const QFileInfo& file)
{
    return importInto(m_target, file);
}

FileImporter::Result ImportCommand::importInto(Target target, const QFileInfo& file)
{
    switch (target) {
    case Limits:
        return importLimits(file);
    case Picks:
        return importPicks(file);
    case None:
        break;
    }
    return {};
}

FileImporter::Result ImportCommand::importLimits(const QFileInfo& file)
{
    FileImporter::Result result;
    QPointer<Table> table = m_limits ? m_limits->table() : nullptr;
    if (!table)
        return result;
    if (!m_limits->isEditable()) {
        result.messages << m_limits->editReason();
        return result;
    }
    QList<Record> before;
    for (const Record& r : *table->masterIndex())
        before << r.clone();
    LimitsImportConvertor convertor(table);
    const QPointer<ImportCommand> self(this);
    FileImporter::instance()->importData(result, file, table, &convertor);
    if (!self || result.cancelled || !table || !m_limits)
        return result;
    if (Undo::Transaction* step = importStep(table, before))
        m_limits->undoStack()->push(step);
    return result;
}

FileImporter::Result ImportCommand::importPicks(const QFileInfo& file)
{
    FileImporter::Result result;
    QPointer<Table> securities = m_core ? m_core->tables()->table(QStringLiteral("securities")) : nullptr;
    if (!securities || !m_picks)
        return result;
    // The rows go into a scratch table of the instruments' schema: the instruments table is the market's.
    const std::unique_ptr<Table> scratch(PicksImportConvertor::newScratchTable(securities));
    PicksImportConvertor convertor(securities, m_core->tables()->table(QStringLiteral("stocks")),
        m_core->tables()->table(QStringLiteral("boards")), m_picks->model()->model());
    const QPointer<ImportCommand> self(this);
    FileImporter::instance()->importData(result, file, scratch.get(), &convertor);
    if (!self || result.cancelled || !securities || !m_picks)
        return result;
    QList<Record> instruments;
    for (const QString& key : convertor.keysInFileOrder()) {
        const Record instrument = securities->findByKeyText(key);
        if (!scratch->findByKeyText(key).isNull() && !instrument.isNull() && !m_picks->contains(instrument))
            instruments << instrument;
    }
    m_picks->add(instruments);
    if (result.full + result.partial > 0)
        result.summary << tr("Добавлено в «Мои инструменты»: %1").arg(instruments.size());
    return result;
}

void ImportCommand::show(const FileImporter::Result& result)
{
    if (result.cancelled && result.summary.isEmpty())
        return;
    const QString summary = result.summary.isEmpty() ? tr("Ничего не импортировано") : result.summary.join('\n');
    if (m_core)
        m_core->notify(result.summary.isEmpty() ? summary : result.summary.join(QStringLiteral("; ")));
    QMessageBox box(QMessageBox::Information, tr("Импорт"), summary, QMessageBox::Ok, m_area->window());
    if (!result.messages.isEmpty())
        box.setDetailedText(result.messages.join('\n'));
    box.exec();
}
