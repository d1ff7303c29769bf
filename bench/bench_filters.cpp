// Row predicates over a million generated orders: the enumeration predicate on raw bytes against its general
// form, a combined predicate of three filters, each filter of the catalogue that orders and deals offer, and a
// million-order window rebuilt after a filter change.

#include "benchutil.h"

#include "core/db/masterindex.h"
#include "core/db/table.h"
#include "filters/balancefilterfunc.h"
#include "filters/catalogue/directoryfilters.h"
#include "filters/catalogue/keyfilters.h"
#include "filters/catalogue/maskfilters.h"
#include "filters/catalogue/plainfilters.h"
#include "filters/enumfilterfunc.h"
#include "filters/listfilterfunc.h"
#include "filters/quantityfilterfunc.h"
#include "filters/rowfiltersmodel.h"
#include "marketfixture.h"
#include "models/tableindexmodel.h"

#include <QApplication>
#include <QElapsedTimer>

#include <memory>

namespace {

// Records per second through a predicate, single-threaded, median of five passes.
double throughput(const Table* table, const FilterFunc& predicate, int& passed)
{
    const double ms = Bench::medianMs(
        5, [&] { passed = 0; },
        [&] {
            for (const Record& r : *table->masterIndex())
                passed += predicate.filter(r);
        });
    return table->count() / ms / 1000.0; // million records per second
}

// The same over the first `count` records again and again: rows that stay in the cache, so that the figure is
// the predicate's own work rather than the memory's.
double cachedThroughput(const Table* table, const FilterFunc& predicate, int count)
{
    std::vector<Record> rows(table->masterIndex()->begin(), table->masterIndex()->begin() + count);
    int passed = 0;
    const int rounds = 50;
    const double ms = Bench::medianMs(
        5, [&] { passed = 0; },
        [&] {
            for (int round = 0; round < rounds; ++round)
                for (const Record& r : rows)
                    passed += predicate.filter(r);
        });
    return double(count) * rounds / ms / 1000.0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Bench::header(QStringLiteral("bench_filters: 1000000 orders, single thread"));
    const MarketFixture market(SampleMarketOptions::sized(5000, 1000000));
    Table* orders = market.table(QStringLiteral("orders"));
    const int status = orders->columnIndex(QStringLiteral("status"));

    QList<KeyValue> excluded;
    for (int code : { 2, 3, 4 })
        excluded << KeyValue { FieldValue(FieldType::Int32, 0, code) };
    const EnumFilterFunc_Fast fast(orders, excluded, { status });
    const EnumFilterFunc general(orders, excluded, { status });
    int fastPassed = 0;
    int generalPassed = 0;
    const double fastRate = throughput(orders, fast, fastPassed);
    const double generalRate = throughput(orders, general, generalPassed);
    if (fastPassed != generalPassed)
        qFatal("the two forms disagree: %d and %d", fastPassed, generalPassed);
    Bench::result(QStringLiteral("filter_enum_fast_exclude_3_statuses"), fastRate, QStringLiteral("Mrecords/s"));
    Bench::result(QStringLiteral("filter_enum_general_exclude_3_statuses"), generalRate, QStringLiteral("Mrecords/s"));
    Bench::ratio(QStringLiteral("enum_fast_vs_general"), fastRate / generalRate);
    const double fastCached = cachedThroughput(orders, fast, 20000);
    const double generalCached = cachedThroughput(orders, general, 20000);
    Bench::result(QStringLiteral("filter_enum_fast_cached_20k"), fastCached, QStringLiteral("Mrecords/s"));
    Bench::result(QStringLiteral("filter_enum_general_cached_20k"), generalCached, QStringLiteral("Mrecords/s"));
    Bench::ratio(QStringLiteral("enum_fast_vs_general_cached_20k"), fastCached / generalCached);

    // Status, partly executed or not executed, and at least 10 lots.
    ListFilterFunc combined;
    combined.append(new EnumFilterFunc_Fast(orders, { excluded.first() }, { status }, &combined));
    combined.append(BalanceFilterFunc::create(
        6, orders->columnIndex(QStringLiteral("balance")), orders->columnIndex(QStringLiteral("quantity")), &combined));
    combined.append(new QuantityFilterFunc(orders->columnIndex(QStringLiteral("quantity")), 10, &combined));
    int combinedPassed = 0;
    Bench::result(QStringLiteral("filter_combined_three_filters"), throughput(orders, combined, combinedPassed),
        QStringLiteral("Mrecords/s"));
    Bench::result(QStringLiteral("filter_combined_passed"), combinedPassed, QStringLiteral("records"));

    // The catalogue, each filter with a value that splits its table.
    struct Catalogued
    {
        const char* name;
        Table* table;
        std::unique_ptr<Filter> filter;
        const char* value;
    };
    Table* deals = market.table(QStringLiteral("deals"));
    Catalogued catalogue[] = {
        { "side", orders, std::make_unique<BuySellFilter>(*orders), "S" },
        { "status", orders, std::make_unique<StatusFilter>(*orders), "2|3" },
        { "account", orders, std::make_unique<AccountFilter>(*orders), "F001001|F002002|F003003" },
        { "account_type", orders, std::make_unique<AccountTypeFilter>(*orders), "1" },
        { "balance", orders, std::make_unique<BalanceFilter>(*orders), "2" },
        { "board", orders, std::make_unique<BoardFilter>(*orders), "1,14" },
        { "session", orders, std::make_unique<SessionFilter>(*orders), "2" },
        { "date", orders, std::make_unique<DateFilter>(*orders), "5||2000-01-01" },
        { "quantity", orders, std::make_unique<QuantityFilter>(*orders), "25" },
        { "order_type", orders, std::make_unique<SignsOrderFilter>(*orders), "1" },
        { "deal_types", deals, std::make_unique<DealsTypeFilter>(*deals), "1" },
        { "tech_deals", deals, std::make_unique<TechDealsFilter>(*deals), "2" },
    };
    for (Catalogued& c : catalogue) {
        c.filter->setValue(QString::fromLatin1(c.value));
        QObject owner;
        int passed = 0;
        const double rate = throughput(c.table, *c.filter->createFilterFunc(&owner), passed);
        Bench::result(QStringLiteral("filter_catalogue_%1").arg(QLatin1String(c.name)), rate,
            QStringLiteral("Mrecords/s (%1 of %2 pass)").arg(passed).arg(c.table->count()));
    }

    // A window of a million orders: a filter changes and the model is rebuilt (synchronously, on the pool).
    TableIndexModel window(orders);
    window.setSort(orders->columnIndex(QStringLiteral("price")), Qt::AscendingOrder);
    window.rebuild();
    StatusFilter statusFilter(*orders);
    window.filtersModel()->addFilter(&statusFilter);
    const char* values[] = { "2|3", "1", "2|3", "1", "2|3" };
    std::vector<double> took;
    for (const char* value : values) {
        QElapsedTimer clock;
        clock.start();
        window.filtersModel()->setFilterValueAndEnabled(0, QString::fromLatin1(value), true);
        took.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(took.begin(), took.end());
    Bench::result(QStringLiteral("filter_change_rebuild_1m_window"), took[took.size() / 2],
        QStringLiteral("ms (median of 5; %1 rows shown)").arg(window.rowCount()));
    window.filtersModel()->removeFilter(&statusFilter);

    // The base contract editor of the instruments window lists its keys by their texts: one text per instrument.
    Table* instruments = market.table(QStringLiteral("securities"));
    SecNameFilter contracts(*instruments, -1);
    int named = 0;
    const double textsMs = Bench::medianMs(
        5, [&] { named = 0; },
        [&] {
            for (const Record& r : *instruments->masterIndex())
                named += !contracts.keyToText(contracts.keyFromRecord(r)).isEmpty();
        });
    Bench::result(QStringLiteral("secname_texts_every_instrument"), textsMs,
        QStringLiteral("ms (median of 5; %1 instruments)").arg(named));
    return 0;
}
