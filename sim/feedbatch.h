#pragma once

#include "core/db/index.h"
#include "core/db/table.h"
#include "sim/bv_sim_export.h"

#include <QByteArray>
#include <QPointer>
#include <QVector>

// The changes of one batch as row bytes, transaction by transaction in the order they were committed: what it
// takes to commit the same changes into another set of tables of the same shapes. Rows are RowLayout bytes, which
// hold no pointers, so a batch made on one thread is committed on another. Memory: one row per insert or removal,
// two per update.
struct BV_SIM_EXPORT FeedBatch
{
    struct Part
    {
        int table = 0; // position in the list of tables
        bool clear = false; // every row taken out first
        int removed = 0; // rows as they were
        int updated = 0; // pairs: the row before, then after
        int added = 0;
        QByteArray rows;
    };
    QVector<Part> parts;
    int changes = 0; // record changes, as the generator counts them
    double generationMs = 0; // what making it cost its thread

    bool isEmpty() const { return parts.isEmpty(); }
    // Commits each part into tables[part.table] as one transaction, finding the records it changes by key; a
    // transaction a table refuses is logged and left out.
    void commitInto(const QVector<Table*>& tables) const;
};

// Listens to a table as its last index and writes what the table takes into a batch, while one is set.
class BV_SIM_EXPORT FeedTap : public Index
{
public:
    FeedTap(Table* table, int id);
    ~FeedTap() override;

    // Null stops listening.
    void setTarget(FeedBatch* batch) { m_batch = batch; }

    void clear() override;
    void build() override { }
    bool filter(const Record&) const override { return true; }
    bool contains(const Record&) const override { return false; }
    void add(const Record& record) override;
    void remove(const Record& record, int row) override;
    void update(const Record& record, int firstColumn, int lastColumn, int row) override;
    void preprocess(const QList<Record>& removed, const QList<Record>& updated, int firstColumn, int lastColumn,
        const QList<Record>& added, const QList<Record>& updatedNew) override;
    void process(const QList<Record>&, const QList<Record>&, int, int, const QList<Record>&) override { }
    void sourceDestroyed() override { m_table = nullptr; }

private:
    FeedBatch::Part& part(int removed, int updated, int added);
    void put(FeedBatch::Part& part, const Record& record) const;

    QPointer<Table> m_table;
    int m_id;
    FeedBatch* m_batch = nullptr; // not owned
};
