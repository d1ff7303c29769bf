#pragma once

#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/db/table.h"

#include <QRandomGenerator>
#include <QSet>

#include <functional>

// `n` distinct records of the table picked at random, the same for the same seed: the rows a benchmark batch
// changes, for every side it compares.
inline QList<Record> randomRecords(Table* table, int n, quint32 seed)
{
    QRandomGenerator rng(seed);
    QSet<const void*> seen;
    QList<Record> picked;
    while (picked.size() < n) {
        const Record& r = table->masterIndex()->at(int(rng.bounded(table->count())));
        if (!seen.contains(r.handle())) {
            seen.insert(r.handle());
            picked << r;
        }
    }
    return picked;
}

// A new transaction of the table with `change` staged on each of the records; the caller commits and deletes it.
inline RecordsTrans* stageOn(
    Table* table, const QList<Record>& records, const std::function<void(RecordUpdater&)>& change)
{
    auto* trans = new RecordsTrans(table);
    for (const Record& r : records) {
        RecordUpdater u(r, *trans);
        change(u);
    }
    return trans;
}
