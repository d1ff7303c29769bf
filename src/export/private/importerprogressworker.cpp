#include "export/private/importerprogressworker.h"

#include "core/db/datetime.h"
#include "core/db/decimal.h"
#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/db/table.h"
#include "core/host/progress/progressdialog.h"
#include "export/fileimporterconvertor.h"
#include "export/ifileimporterhandler.h"
#include "export/private/exporttext.h"

#include <QElapsedTimer>

namespace {

constexpr int PauseIntervalMs = 20;
// Rows between two looks at the clock.
constexpr int RowsPerClockCheck = 64;

} // namespace

ImporterProgressWorker::ImporterProgressWorker(ProgressDialog* dialog, Table* table, IFileImporterHandler* handler,
    QIODevice* device, FileImporterConvertor* convertor, const QMap<QString, QVariant>& params,
    const QMap<QString, int>& mapping, FileImporter::Result* result)
    : ProgressWorker(dialog)
    , m_table(table)
    , m_handler(handler)
    , m_device(device)
    , m_convertor(convertor)
    , m_params(params)
    , m_mapping(mapping)
    , m_result(result)
{ }

int ImporterProgressWorker::run()
{
    if (m_table && checkColumns())
        readRows();
    summarize();
    return m_result->complete ? 1 : 0;
}

bool ImporterProgressWorker::checkColumns()
{
    QMap<int, int> assigned; // file field -> table column, over all groups
    auto check = [&](const QStringList& names, bool required, Group& group) {
        for (const QString& name : names) {
            const int field = m_mapping.value(name, -1);
            if (field < 0) {
                if (required)
                    throw tr("Для импорта из файла не указан необходимый столбец: '%1'").arg(name);
                continue;
            }
            const int column = m_table->columnIndex(name);
            if (column < 0)
                throw tr("В таблице отсутствует столбец: '%1'").arg(name);
            const auto earlier = assigned.constFind(field);
            if (earlier != assigned.constEnd() && *earlier != column) {
                throw tr("Неоднозначное сопоставление для столбца %1: %2, %3")
                    .arg(field)
                    .arg(m_table->columnName(*earlier), name);
            }
            if (earlier != assigned.constEnd())
                continue;
            assigned.insert(field, column);
            group.insert(field, column);
        }
    };
    try {
        check(m_table->masterIndex()->columnNames(), m_convertor->isMasterColumnsMandatory(), m_key);
        check(m_convertor->colsMandatory(), true, m_mandatory);
        check(m_convertor->colsOptional(), false, m_optional);
    } catch (const QString& failure) {
        m_result->messages << failure << tr("Указано некорректное сопоставление столбцов. Импорт невозможен.");
        return false;
    }
    return true;
}

void ImporterProgressWorker::readRows()
{
    if (!m_handler->begin(m_device, m_params)) {
        if (!m_handler->lastError().isEmpty())
            m_result->messages << tr("Строка %1: ").arg(1) + m_handler->lastError();
        m_handler->end();
        return;
    }
    m_handler->setImportColumns(m_key.keys() + m_mandatory.keys() + m_optional.keys());
    m_columns = m_key.values() + m_mandatory.values() + m_optional.values();
    m_convertor->setColumns(m_columns);

    RecordsTrans trans(m_table);
    QElapsedTimer sincePause;
    sincePause.start();
    int reported = -1;
    QList<QVariant> values;
    bool stopped = false;
    for (int n = 1;; ++n) {
        if (n % RowsPerClockCheck == 0) {
            const int percent = m_handler->percentage();
            if (percent != reported && dialog()) {
                reported = percent;
                dialog()->setProgress(percent);
            }
            if (sincePause.elapsed() > PauseIntervalMs) {
                stopped = !pause(trans);
                sincePause.restart();
                if (stopped)
                    break;
            }
        }
        if (!m_handler->readNext(values)) {
            if (!m_handler->lastError().isEmpty())
                m_result->messages << tr("Строка %1: ").arg(n) + m_handler->lastError();
            else
                m_result->complete = true;
            break;
        }
        importRow(values, n, trans);
    }
    m_handler->end();
    m_imported.clear();
    if (stopped)
        return;
    try {
        trans.commit();
    } catch (const QString& failure) {
        trans.clear();
        m_result->messages << failure;
        m_result->complete = false;
        m_result->full = m_result->partial = 0;
    }
}

bool ImporterProgressWorker::pause(RecordsTrans& trans)
{
    const QString name = m_table->name();
    const bool goOn = processEvents() && dialog();
    if (!m_table) {
        trans.clear();
        m_result->messages << tableClosed(name);
        m_result->full = m_result->partial = 0;
        return false;
    }
    if (!goOn) {
        trans.clear();
        m_result->cancelled = true;
        m_result->messages << tr("Отменено пользователем");
        m_result->full = m_result->partial = m_result->skipped = 0;
        return false;
    }
    return true;
}

void ImporterProgressWorker::importRow(QList<QVariant>& values, int n, RecordsTrans& trans)
{
    m_convertor->prepareValues(values);
    Record record(m_table.data());
    const int mandatoryFrom = m_key.size();
    const int optionalFrom = mandatoryFrom + m_mandatory.size();
    const QList<int>& columns = m_columns;
    QStringList partial;
    // A convertor may shorten the list; the reader's texts are read where they are.
    const QVariant none;
    const auto value = [&](int i) -> const QVariant& { return i < values.size() ? values.at(i) : none; };
    try {
        if (m_convertor->isMasterColumnsMandatory()) {
            for (int i = 0; i < mandatoryFrom; ++i)
                setField(record.data(columns.at(i)), value(i));
        } else {
            m_convertor->setupRecordKey(record, values);
        }
        for (int i = mandatoryFrom; i < optionalFrom; ++i)
            setField(record.data(columns.at(i)), value(i));
    } catch (const QString& failure) {
        m_result->messages << tr("Импорт строки №%1 невозможен. ").arg(n) + failure;
        ++m_result->skipped;
        return;
    }
    for (int i = optionalFrom; i < columns.size(); ++i) {
        try {
            setField(record.data(columns.at(i)), value(i));
        } catch (const QString& failure) {
            partial << tr("Импорт строки №%1 выполнен частично. %2").arg(n).arg(failure);
        }
    }

    // A row whose key an earlier row of the file had replaces that row: the transaction keeps the last one.
    const ImportedKeys::Earlier earlier = m_imported.add(*m_table->masterIndex(), record, !partial.isEmpty());
    if (earlier != ImportedKeys::None) {
        m_result->messages << tr("Импорт строки №%1 заменит импортированную ранее строку с тем же ключом").arg(n);
        --(earlier == ImportedKeys::Partial ? m_result->partial : m_result->full);
    }
    m_result->messages << partial;

    RecordUpdater updater(record, trans, -1);
    m_convertor->commitRecord(updater);
    ++(partial.isEmpty() ? m_result->full : m_result->partial);
}

void ImporterProgressWorker::setField(Field field, const QVariant& value)
{
    // The reader's text is used in place, without copies through QVariant for each of a file's fields.
    const QString* text
        = value.userType() == QMetaType::QString ? static_cast<const QString*>(value.constData()) : nullptr;
    if (text ? text->isEmpty() : (value.isNull() || !value.isValid()))
        return;
    const auto assignAsIs = [&] {
        if (text)
            field = *text;
        else
            field = value;
    };
    const FieldSlot slot = field.fieldSlot();
    switch (slot.type) {
    case FieldType::Decimal:
    case FieldType::XDecimal: {
        bool ok = false;
        decimal d = text ? decimal::fromString(*text, &ok) : decimal::fromVariant(value, &ok);
        // A text that is no number goes to the field as it is, whose refusal names the field and the value.
        if (!ok) {
            assignAsIs();
            return;
        }
        // "1.5" in a column of two places reads as 1.50, as when the trader types it.
        if (slot.type == FieldType::Decimal && slot.length > d.scale())
            d = d.withScale(slot.length);
        field = d;
        return;
    }
    case FieldType::DateTime: {
        if (!text) {
            field = value;
            return;
        }
        datetime moment;
        if (!ExportText::readMoment(*text, moment)) {
            bool ok = false;
            moment = datetime::fromString(*text, &ok);
            if (!ok)
                throw QString();
        }
        field = moment;
        return;
    }
    default:
        assignAsIs();
        return;
    }
}

QString ImporterProgressWorker::tableClosed(const QString& tableName)
{
    return tr("Таблица '%1' закрыта во время импорта").arg(tableName);
}

void ImporterProgressWorker::summarize()
{
    if (m_result->full)
        m_result->summary << tr("Импортировано успешно строк: %1").arg(m_result->full);
    if (m_result->partial)
        m_result->summary << tr("Импортировано частично строк: %1").arg(m_result->partial);
    if (m_result->skipped)
        m_result->summary << tr("Пропущено строк: %1").arg(m_result->skipped);
}
