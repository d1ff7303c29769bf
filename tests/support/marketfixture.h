#pragma once

#include "core/db/masterindex.h"
#include "core/db/table.h"
#include "core/host/embedded/embeddedcore.h"
#include "core/host/tableregistry.h"
#include "sim/samplemarket.h"

#include <QStringList>

// A host core holding the sample market; while it lives, the directories answer from its tables.
struct MarketFixture
{
    explicit MarketFixture(const SampleMarketOptions& options = SampleMarketOptions::tiny())
        : market(options)
    {
        market.populate(core.tables());
    }
    Table* table(const QString& name) const { return core.tables()->table(name); }

    EmbeddedCore core;
    SampleMarket market;
};

// A market small enough for a feed test to run for many batches: 200 instruments, 2,000 orders, 5 accounts.
inline SampleMarketOptions smallMarket()
{
    return SampleMarketOptions::sized(200, 2000, 5);
}

// A table's records without their clock-dependent times, one line each: what two runs of one seed must share.
inline QString timelessContent(const Table* table)
{
    QStringList lines;
    for (const Record& r : *table->masterIndex()) {
        QStringList fields;
        for (int c = 0; c < table->columnCount(); ++c) {
            if (table->columnType(c) != FieldType::DateTime)
                fields << r.data(c).toString();
        }
        lines << fields.join(QLatin1Char(','));
    }
    return lines.join(QLatin1Char('\n'));
}
