#include "sim/feedbatch.h"

#include "core/db/guilog.h"
#include "core/db/indexbuildqueue.h"
#include "core/db/recordbytes.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/db/table.h"

void FeedBatch::commitInto(const QVector<Table*>& tables) const
{
    for (const Part& part : parts) {
        Table* table = tables.value(part.table);
        if (!table)
            continue;
        if (part.clear)
            table->clear();
        const int rowBytes = table->layout().rowBytes();
        const auto* at = reinterpret_cast<const uchar*>(part.rows.constData());
        Record keySource(table);
        // The record a row names, found by the key it had.
        auto find = [&](const uchar* row) {
            RecordBytes::write(keySource, 0, row, rowBytes);
            return table->find(keySource);
        };
        RecordsTrans trans(table);
        try {
            for (int i = 0; i < part.removed; ++i, at += rowBytes) {
                const Record r = find(at);
                if (!r.isNull())
                    RecordUpdater(r, trans).remove();
            }
            for (int i = 0; i < part.updated; ++i, at += 2 * rowBytes) {
                const Record r = find(at);
                if (!r.isNull())
                    RecordBytes::write(RecordUpdater(r, trans).staged(), 0, at + rowBytes, rowBytes);
            }
            for (int i = 0; i < part.added; ++i, at += rowBytes) {
                Record r(table);
                RecordBytes::write(r, 0, at, rowBytes);
                RecordUpdater(r, trans);
            }
            trans.commit();
        } catch (const QString& message) {
            qCWarning(QGuiLog).noquote() << "feed batch refused by" << table->name() << message;
            trans.clear();
        }
    }
}

FeedTap::FeedTap(Table* table, int id)
    : m_table(table)
    , m_id(id)
{
    table->addIndex(this);
    // Nothing to build, and the table may be changed on a thread without an event loop.
    table->buildQueue()->cancel(this);
}

FeedTap::~FeedTap()
{
    if (m_table)
        m_table->removeIndex(this);
}

FeedBatch::Part& FeedTap::part(int removed, int updated, int added)
{
    FeedBatch::Part part;
    part.table = m_id;
    part.removed = removed;
    part.updated = updated;
    part.added = added;
    part.rows.reserve((removed + 2 * updated + added) * m_table->layout().rowBytes());
    m_batch->parts.append(part);
    return m_batch->parts.last();
}

void FeedTap::put(FeedBatch::Part& part, const Record& record) const
{
    part.rows.append(reinterpret_cast<const char*>(record.rawData()), m_table->layout().rowBytes());
}

void FeedTap::clear()
{
    if (m_batch)
        part(0, 0, 0).clear = true;
}

void FeedTap::add(const Record& record)
{
    if (m_batch)
        put(part(0, 0, 1), record);
}

void FeedTap::remove(const Record& record, int)
{
    if (m_batch)
        put(part(1, 0, 0), record);
}

void FeedTap::update(const Record& record, int, int, int)
{
    // A single update arrives with the values changed already: the key it is found by is the one it has now.
    if (!m_batch)
        return;
    FeedBatch::Part& p = part(0, 1, 0);
    put(p, record);
    put(p, record);
}

void FeedTap::preprocess(const QList<Record>& removed, const QList<Record>& updated, int, int,
    const QList<Record>& added, const QList<Record>& updatedNew)
{
    if (!m_batch)
        return;
    FeedBatch::Part& p = part(removed.size(), updated.size(), added.size());
    for (const Record& r : removed)
        put(p, r);
    for (int i = 0; i < updated.size(); ++i) {
        put(p, updated.at(i));
        put(p, updatedNew.at(i));
    }
    for (const Record& r : added)
        put(p, r);
}
