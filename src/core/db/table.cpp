#include "core/db/table.h"

#include "core/db/index.h"
#include "core/db/indexbuildqueue.h"
#include "core/db/masterindex.h"
#include "core/db/private/recorddata_p.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/db/tableupdater.h"

#include <QThread>

#include <utility>

namespace {

QList<int> keyColumnsOf(const QString& table, const QHash<QString, int>& columnIndex, const QStringList& names)
{
    QList<int> keys;
    for (const QString& name : names) {
        const int column = columnIndex.value(name, -1);
        if (column < 0)
            throw Table::tr("Ключевой столбец '%1' не найден в таблице '%2'").arg(name, table);
        keys << column;
    }
    return keys;
}

} // namespace

Table::Table(const QString& name, const QList<ColumnDef>& columns, const QStringList& keyColumnNames, QObject* parent)
    : QObject(parent)
    , m_name(name)
    , m_columns(columns)
    , m_layout(columns)
    , m_master(nullptr)
    , m_buildQueue(new IndexBuildQueue(this))
{
    for (int i = 0; i < columns.size(); ++i) {
        const ColumnDef& c = columns.at(i);
        if (!c.isValid())
            throw tr("Столбец %1 таблицы '%2' описан неверно").arg(i).arg(name);
        if (m_columnIndex.contains(c.name))
            throw tr("Столбец '%1' повторяется в таблице '%2'").arg(c.name, name);
        m_columnIndex.insert(c.name, i);
    }
    m_master = new MasterIndex(this, keyColumnsOf(name, m_columnIndex, keyColumnNames));
}

Table::~Table()
{
    // Whatever still indexes the table hears it go while its rows are still there, and forgets them; handles
    // kept elsewhere outlive the table as rows of no table.
    const QVector<Index*> indexes = std::exchange(m_indexes, {});
    for (Index* index : indexes) {
        m_buildQueue->cancel(index);
        index->sourceDestroyed();
    }
    for (const Record& r : *m_master) {
        r.handle()->flags &= ~RecordData::InTable;
        r.handle()->table = nullptr;
    }
    delete m_master;
}

QString Table::columnName(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_columns.at(column).name : QString();
}

QString Table::columnTitle(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_columns.at(column).title : QString();
}

QString Table::columnDescription(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_columns.at(column).description : QString();
}

FieldType::Type Table::columnType(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_columns.at(column).type : FieldType::Unknown;
}

QString Table::columnTypeName(int column) const
{
    return column >= 0 && column < m_columns.size()
        ? FieldType::typeNameWithLength(m_columns.at(column).type, m_columns.at(column).length)
        : QString();
}

int Table::columnLength(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_columns.at(column).length : 0;
}

ColumnDef Table::columnDef(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_columns.at(column) : ColumnDef();
}

ColumnDef Table::columnDef(const QString& name) const
{
    return columnDef(columnIndex(name));
}

int Table::columnOffset(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_layout.offset(column) : -1;
}

int Table::columnSize(int column) const
{
    return column >= 0 && column < m_columns.size() ? m_layout.size(column) : 0;
}

int Table::count() const
{
    return m_master->count();
}

Record Table::find(const Record& keySource) const
{
    return m_master->recordByKey(keySource);
}

Record Table::findByKeyText(const QString& keyText) const
{
    return find(m_master->keyRecord(keyText));
}

QString Table::keyText(const Record& record) const
{
    QStringList parts;
    if (m_master->hasKey()) {
        for (int column : m_master->keyColumns())
            parts << record.data(column).toString();
    } else {
        for (int column = 0; column < columnCount(); ++column)
            parts << record.data(column).toString();
    }
    return parts.join(QLatin1Char(','));
}

void Table::addIndex(Index* index)
{
    if (!index || m_indexes.contains(index))
        return;
    m_indexes.append(index);
    m_buildQueue->schedule(index);
}

void Table::removeIndex(Index* index)
{
    m_indexes.removeAll(index);
    m_buildQueue->cancel(index);
}

void Table::clear()
{
    TableUpdater updater(this);
    indexesBeginUpdate();
    for (const Record& r : *m_master)
        r.handle()->flags &= ~RecordData::InTable;
    m_master->clear();
    forEachIndex([](Index* i) { i->clear(); });
}

void Table::appendList(const QList<Record>& records)
{
    RecordsTrans trans(this);
    for (const Record& r : records)
        RecordUpdater(r, trans);
    trans.commit();
}

void Table::remove(const Record& record, int row)
{
    if (record.table() != this || !record.inTable())
        return;
    TableUpdater updater(this);
    removeRecord(record, row);
}

void Table::append(const Record& record)
{
    if (record.table() != this || record.inTable())
        return;
    if (record.handle()->flags & RecordData::Staged)
        throw tr("Запись уже добавлена в транзакцию таблицы '%1'").arg(m_name);
    TableUpdater updater(this);
    appendRecord(record);
}

void Table::updated(const Record& record, int firstColumn, int lastColumn)
{
    if (record.table() != this || !record.inTable())
        return;
    TableUpdater updater(this);
    updateRecord(record, firstColumn, lastColumn);
}

// ---- change delivery ----

void Table::beginChanges()
{
    Q_ASSERT_X(QThread::currentThread() == thread(), "Table", "tables are changed on their own thread only");
    if (m_changeDepth++ == 0)
        m_lock.lock();
}

void Table::endChanges()
{
    if (--m_changeDepth > 0)
        return;
    if (m_indexesInUpdate) {
        m_indexesInUpdate = false;
        m_master->endUpdate();
        forEachIndex([](Index* i) { i->endUpdate(); });
    }
    m_lock.unlock();
}

// Indexes hear beginUpdate() once, before the first change of the outermost TableUpdater, and endUpdate()
// when it ends; a TableUpdater that changed nothing costs them nothing.
void Table::indexesBeginUpdate()
{
    Q_ASSERT(m_changeDepth > 0);
    if (m_indexesInUpdate)
        return;
    m_indexesInUpdate = true;
    m_master->beginUpdate();
    forEachIndex([](Index* i) { i->beginUpdate(); });
}

template<typename Call>
void Table::forEachIndex(Call call)
{
    // An index may unregister (or register another) while being told; walk a snapshot, skip the ones gone.
    const QVector<Index*> snapshot = m_indexes;
    for (Index* index : snapshot) {
        if (snapshot.constData() == m_indexes.constData() || m_indexes.contains(index))
            call(index);
    }
}

void Table::appendRecord(const Record& record)
{
    indexesBeginUpdate();
    m_master->add(record); // throws on a duplicate key before anything changed
    record.handle()->flags |= RecordData::InTable;
    forEachIndex([&](Index* i) {
        if (i->filter(record))
            i->add(record);
    });
}

void Table::removeRecord(const Record& record, int row)
{
    indexesBeginUpdate();
    const Record keep = record; // the caller's handle may live in an index
    m_master->remove(keep, row);
    keep.handle()->flags &= ~RecordData::InTable;
    forEachIndex([&](Index* i) { i->remove(keep, -1); });
}

void Table::updateRecord(const Record& record, int firstColumn, int lastColumn)
{
    indexesBeginUpdate();
    m_master->update(record, firstColumn, lastColumn, -1);
    forEachIndex([&](Index* i) { i->update(record, firstColumn, lastColumn, -1); });
}

void Table::deliverBatch(const QList<Record>& removed, const QList<Record>& updated, int firstColumn, int lastColumn,
    const QList<Record>& added, const QList<Record>& updatedNew)
{
    indexesBeginUpdate();
    m_master->preprocess(removed, updated, firstColumn, lastColumn, added, updatedNew);
    forEachIndex([&](Index* i) { i->preprocess(removed, updated, firstColumn, lastColumn, added, updatedNew); });

    const int rowBytes = m_layout.rowBytes();
    for (int i = 0; i < updated.size(); ++i)
        std::memcpy(updated.at(i).handle()->raw(), updatedNew.at(i).handle()->raw(), std::size_t(rowBytes));
    for (const Record& r : removed)
        r.handle()->flags &= ~RecordData::InTable;
    for (const Record& r : added)
        r.handle()->flags = (r.handle()->flags & ~RecordData::Staged) | RecordData::InTable;

    m_master->process(removed, updated, firstColumn, lastColumn, added);
    forEachIndex([&](Index* i) { i->process(removed, updated, firstColumn, lastColumn, added); });
}
