#include "core/db/recordstrans.h"

#include "core/db/guilog.h"
#include "core/db/masterindex.h"
#include "core/db/private/recorddata_p.h"
#include "core/db/table.h"
#include "core/db/tableupdater.h"

#include <QSet>

#include <climits>
#include <cstring>
#include <exception>

RecordsTrans::RecordsTrans(Table* table)
    : m_table(table)
    , m_uncaught(std::uncaught_exceptions())
{ }

RecordsTrans::~RecordsTrans()
{
    if (std::uncaught_exceptions() > m_uncaught) {
        clear(); // abandoned by an exception: nothing of it reaches the table
        return;
    }
    try {
        commit();
    } catch (const QString& message) {
        qCWarning(QGuiLog).noquote() << message;
        clear();
    }
}

Record RecordsTrans::stage(const Record& record)
{
    RecordData* d = record.handle();
    if (record.inTable())
        return m_updates.at(updateEntry(record)).staged;
    if (!(d->flags & RecordData::Staged)) {
        d->flags |= RecordData::Staged;
        m_inserts.append(record);
    }
    return record;
}

int RecordsTrans::stagedUpdate(const Record& record) const
{
    RecordData* d = record.handle();
    // Most records are staged once per batch: the row's flag spares the lookup, and the lookup table is only
    // built once some record is looked for again.
    if (!(d->flags & RecordData::StagedUpdate))
        return -1;
    if (m_updateIndex.isEmpty()) {
        for (int i = 0; i < m_updates.size(); ++i)
            m_updateIndex.insert(m_updates.at(i).original.handle(), i);
    }
    return m_updateIndex.value(d, -1);
}

int RecordsTrans::updateEntry(const Record& record)
{
    const int staged = stagedUpdate(record);
    if (staged >= 0)
        return staged;
    RecordData* d = record.handle();
    d->flags |= RecordData::StagedUpdate;
    if (!m_updateIndex.isEmpty())
        m_updateIndex.insert(d, m_updates.size());
    m_updates.append(Update { record, record.clone(), false });
    return m_updates.size() - 1;
}

void RecordsTrans::stageRemoval(const Record& record)
{
    if (record.inTable()) {
        m_updates[updateEntry(record)].remove = true;
        return;
    }
    if (m_inserts.removeOne(record))
        record.handle()->flags &= ~RecordData::Staged;
}

void RecordsTrans::clear()
{
    releaseStaged();
    m_inserts.clear();
    m_updates.clear();
    m_updateIndex.clear();
}

void RecordsTrans::releaseStaged()
{
    for (const Record& r : qAsConst(m_inserts))
        r.handle()->flags &= ~RecordData::Staged;
    for (const Update& u : qAsConst(m_updates))
        u.original.handle()->flags &= ~RecordData::StagedUpdate;
}

bool RecordsTrans::contains(const Record& keySource) const
{
    const MasterIndex* master = m_table->masterIndex();
    if (!master->hasKey() || keySource.isNull())
        return false;
    for (const Record& r : m_inserts) {
        if (master->compareKeys(r, keySource) == 0)
            return true;
    }
    for (const Update& u : m_updates) {
        if (!u.remove && master->compareKeys(u.staged, keySource) == 0)
            return true;
    }
    return false;
}

Record RecordsTrans::find(const Record& keySource) const
{
    const MasterIndex* master = m_table->masterIndex();
    if (!master->hasKey() || keySource.isNull())
        return Record();
    for (int i = m_inserts.size() - 1; i >= 0; --i) {
        if (master->compareKeys(m_inserts.at(i), keySource) == 0)
            return m_inserts.at(i);
    }
    const Record inTable = master->recordByKey(keySource);
    if (inTable.isNull())
        return Record();
    const int staged = stagedUpdate(inTable);
    return staged >= 0 && m_updates.at(staged).remove ? Record() : inTable;
}

bool RecordsTrans::containsKey(const QString& keyText) const
{
    return contains(m_table->masterIndex()->keyRecord(keyText));
}

bool RecordsTrans::changedColumns(const Update& update, int& first, int& last) const
{
    const RowLayout& layout = m_table->layout();
    const uchar* before = update.original.rawData();
    const uchar* after = update.staged.rawData();
    first = -1;
    for (int c = 0; c < layout.columnCount(); ++c) {
        const bool differs = layout.hasValue(before, c) != layout.hasValue(after, c)
            || std::memcmp(before + layout.offset(c), after + layout.offset(c), std::size_t(layout.size(c))) != 0;
        if (differs) {
            if (first < 0)
                first = c;
            last = c;
        }
    }
    return first >= 0;
}

void RecordsTrans::commit()
{
    if (isEmpty())
        return;
    const MasterIndex* master = m_table->masterIndex();
    QList<Record> removed;
    QList<Record> updated;
    QList<Record> updatedNew;
    QList<Record> added;
    QSet<const void*> removedRows;
    int firstColumn = INT_MAX;
    int lastColumn = -1;
    bool allColumns = false;

    for (const Update& u : qAsConst(m_updates)) {
        if (u.remove) {
            removed << u.original;
            removedRows.insert(u.original.handle());
            continue;
        }
        int first;
        int last;
        if (!changedColumns(u, first, last))
            continue;
        updated << u.original;
        updatedNew << u.staged;
        firstColumn = qMin(firstColumn, first);
        lastColumn = qMax(lastColumn, last);
    }

    // Inserts in key order; of several with one key the last staged wins; a key already in the table turns the
    // insert into a replacement of that record's values.
    QList<Record> dropped;
    QList<Record> inserts = m_inserts;
    m_inserts.clear(); // no second copy of a large batch while it is sorted
    master->sortUniqueByKey(inserts, &dropped);
    for (const Record& r : qAsConst(dropped))
        r.handle()->flags &= ~RecordData::Staged;
    m_inserts = inserts; // what the transaction holds should the batch be refused below
    // Into an empty table, or past its last key (numbers that only grow, as orders' and deals' do), every insert
    // is an insert: no search for a record holding its key.
    const bool pastTheEnd = master->count() == 0
        || (master->hasKey() && !inserts.isEmpty()
            && master->compareKeys(master->at(master->count() - 1), inserts.first()) < 0);
    if (pastTheEnd) {
        added = inserts;
    } else {
        QHash<const void*, int> updatedAt;
        for (const Record& r : qAsConst(inserts)) {
            const Record existing = master->recordByKey(r);
            if (existing.isNull() || removedRows.contains(existing.handle())) {
                added << r;
                continue;
            }
            allColumns = true;
            if (updatedAt.isEmpty()) {
                for (int i = 0; i < updated.size(); ++i)
                    updatedAt.insert(updated.at(i).handle(), i);
            }
            const auto at = updatedAt.constFind(existing.handle());
            if (at != updatedAt.constEnd()) {
                updatedNew[*at] = r;
            } else {
                updatedAt.insert(existing.handle(), updated.size());
                updated << existing;
                updatedNew << r;
            }
        }
    }
    inserts.clear();

    // Records whose key changes must land on keys nobody else keeps or takes.
    if (master->hasKey() && !updated.isEmpty() && (allColumns || master->touchesKey(firstColumn, lastColumn))) {
        QSet<const void*> leaving = removedRows;
        QList<Record> arriving = added;
        for (int i = 0; i < updated.size(); ++i) {
            if (master->compareKeys(updated.at(i), updatedNew.at(i)) != 0) {
                leaving.insert(updated.at(i).handle());
                arriving << updatedNew.at(i);
            }
        }
        for (int i = added.size(); i < arriving.size(); ++i) {
            const Record holder = master->recordByKey(arriving.at(i));
            if (!holder.isNull() && !leaving.contains(holder.handle()))
                throw tr("Запись с ключом '%1' уже есть в таблице '%2'")
                    .arg(arriving.at(i).toString(), m_table->name());
        }
        master->sortByKey(arriving);
        for (int i = 1; i < arriving.size(); ++i) {
            if (master->compareKeys(arriving.at(i - 1), arriving.at(i)) == 0)
                throw tr("Две записи транзакции получают ключ '%1' в таблице '%2'")
                    .arg(arriving.at(i).toString(), m_table->name());
        }
    }

    if (allColumns || updated.isEmpty()) {
        firstColumn = -1;
        lastColumn = -1;
    }
    // Empty the transaction before delivering, so that an index that stages changes of its own starts afresh.
    releaseStaged();
    m_inserts.clear();
    m_updates.clear();
    m_updateIndex.clear();
    if (removed.isEmpty() && updated.isEmpty() && added.isEmpty())
        return;

    TableUpdater updater(m_table);
    m_table->deliverBatch(removed, updated, firstColumn, lastColumn, added, updatedNew);
}
