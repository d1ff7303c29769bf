#pragma once

#include "embeddedcore.h"
#include "samplemarket.h"
#include "table.h"
#include "tableregistry.h"

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
