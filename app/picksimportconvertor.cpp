#include "picksimportconvertor.h"

#include "columns/itemroles.h"
#include "core/db/masterindex.h"
#include "core/db/recordupdater.h"
#include "core/db/table.h"

namespace {

const QString Code = QStringLiteral("sec_code");
const QString Stock = QStringLiteral("stock_id");
const QString Board = QStringLiteral("board_id");

} // namespace

PicksImportConvertor::PicksImportConvertor(
    Table* securities, Table* stocks, Table* boards, const QAbstractItemModel* cells)
    : m_securities(securities)
    , m_cells(cells)
    , m_code(securities->columnIndex(Code))
    , m_board(securities->columnIndex(Board))
{
    m_references.insert(
        securities->columnIndex(Stock), { stocks, QStringLiteral("stock_code"), QStringLiteral("stock_name") });
    m_references.insert(m_board, { boards, QStringLiteral("board_code"), QStringLiteral("board_name") });
    for (const QString& name : securities->masterIndex()->columnNames())
        m_keyColumns << securities->columnIndex(name);
}

Table* PicksImportConvertor::newScratchTable(Table* securities)
{
    return new Table(securities->name(), securities->columns(), securities->masterIndex()->columnNames());
}

QStringList PicksImportConvertor::keysInFileOrder() const
{
    return m_keys;
}

QStringList PicksImportConvertor::colsMandatory()
{
    return { Code };
}

bool PicksImportConvertor::isMasterColumnsMandatory() const
{
    return false;
}

void PicksImportConvertor::begin()
{
    m_byCode.clear();
    m_keys.clear();
    m_seen.clear();
    if (!m_securities)
        return;
    for (const Record& instrument : *m_securities->masterIndex())
        m_byCode[instrument.data(m_code).toString()] << instrument;
}

void PicksImportConvertor::setColumns(const QList<int>& tableColumns)
{
    m_columns = tableColumns;
}

QString PicksImportConvertor::valueOf(const QList<QVariant>& values, int column) const
{
    const int i = m_columns.indexOf(column);
    return i < 0 ? QString() : values.value(i).toString().trimmed();
}

bool PicksImportConvertor::names(const Record& instrument, int column, const QString& text) const
{
    if (text == instrument.data(column).toString())
        return true;
    const Reference reference = m_references.value(column);
    if (!reference.table)
        return false;
    QStringList key;
    for (const QString& name : reference.table->masterIndex()->columnNames())
        key << instrument.data(name).toString();
    const Record entry = reference.table->findByKeyText(key.join(QLatin1Char(',')));
    return !entry.isNull()
        && (text == entry.data(reference.code).toString() || text == entry.data(reference.name).toString());
}

void PicksImportConvertor::setupRecordKey(Record& record, const QList<QVariant>& values) const
{
    // The instruments found by begin() belong to that table.
    if (!m_securities)
        throw tr("Таблица инструментов закрыта");
    const QString code = valueOf(values, m_code);
    const QString board = valueOf(values, m_board);
    Record found;
    for (const Record& instrument : m_byCode.value(code)) {
        bool matches = true;
        for (int column : m_keyColumns) {
            const QString given = valueOf(values, column);
            matches = matches && (given.isEmpty() || names(instrument, column, given));
        }
        if (matches) {
            found = instrument;
            break;
        }
    }
    if (found.isNull()) {
        throw board.isEmpty() ? tr("Инструмент с кодом '%1' не найден").arg(code)
                              : tr("Инструмент с кодом '%1' в режиме '%2' не найден").arg(code, board);
    }
    for (int column : m_keyColumns)
        record.data(column) = found.data(column);
}

void PicksImportConvertor::commitRecord(RecordUpdater& updater) const
{
    const Record record = updater.record();
    const QString key = record.table()->keyText(record);
    if (!m_seen.contains(key)) {
        m_seen.insert(key);
        m_keys << key;
    }
}

QStringList PicksImportConvertor::getColAliases(const QString& column)
{
    const int index = m_securities ? m_securities->columnIndex(column) : -1;
    if (index < 0)
        return {};
    QStringList aliases;
    const QString written = m_cells ? m_cells->headerData(index, Qt::Horizontal, ColumnNameRole).toString() : QString();
    if (!written.isEmpty() && written != column)
        aliases << written;
    // A title that two of the instruments' columns bear ("Инструмент") names neither.
    const QString title = m_securities->columnTitle(index);
    for (int c = 0; c < m_securities->columnCount(); ++c) {
        if (c != index && m_securities->columnTitle(c) == title)
            return aliases;
    }
    return aliases << title;
}
