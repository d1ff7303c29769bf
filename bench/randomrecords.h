#pragma once

#include "core/db/masterindex.h"
#include "core/db/table.h"

#include <QRandomGenerator>
#include <QSet>

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
