#pragma once

#include "core/db/table.h"
#include "core/host/embedded/embeddedcore.h"
#include "core/host/tableregistry.h"
#include "sim/samplemarket.h"

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
