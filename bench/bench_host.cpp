// Directory lookups over a hundred thousand instruments, the time to generate the million-order market, and a
// batch of new positions there while the accounts directory watches them.

#include "benchutil.h"

#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/host/directories/accountdirectory.h"
#include "core/host/directories/securitydirectory.h"
#include "core/host/embedded/embeddedcore.h"
#include "core/host/tableregistry.h"
#include "sim/samplemarket.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Bench::header(QStringLiteral("bench_host: directories over 100000 instruments; market of 1000000 orders"));

    {
        EmbeddedCore core;
        const SampleMarket market(SampleMarketOptions::sized(100000, 1000));
        market.populate(core.tables());
        Bench::result(QStringLiteral("host_instruments"), market.instruments().size(), QStringLiteral("count"));
        SecurityDirectory* dir = SecurityDirectory::i();
        std::vector<SecurityKey> keys;
        for (const SampleInstrument& i : market.instruments())
            keys.push_back(i.key);
        const int lookups = 20000000;
        qint64 sink = 0;
        const double nameMs = Bench::medianMs(5, nullptr, [&] {
            for (int n = 0; n < lookups; ++n) {
                const SecurityKey& k = keys[std::size_t(n) % keys.size()];
                sink += dir->nameById(k.stock, k.board, k.sec).size();
            }
        });
        const double decimalsMs = Bench::medianMs(5, nullptr, [&] {
            for (int n = 0; n < lookups; ++n) {
                const SecurityKey& k = keys[std::size_t(n) % keys.size()];
                sink += dir->decimalsById(k.stock, k.board, k.sec);
            }
        });
        if (sink == 42)
            std::puts("");
        Bench::result(
            QStringLiteral("host_security_name_by_id"), lookups / nameMs / 1000.0, QStringLiteral("Mlookups/s"));
        Bench::result(QStringLiteral("host_security_decimals_by_id"), lookups / decimalsMs / 1000.0,
            QStringLiteral("Mlookups/s"));
    }

    std::vector<double> times;
    for (int run = 0; run < 3; ++run) {
        EmbeddedCore core;
        const SampleMarket market(SampleMarketOptions::sized(5000, 1000000, 1 + run));
        times.push_back(Bench::timeMs([&] { market.populate(core.tables()); }));
        if (run < 2)
            continue;
        // The feed adds positions on most batches, and the order forms' accounts watch that table.
        Table* positions = core.tables()->table(QStringLiteral("positions"));
        AccountDirectory::i();
        qint64 unlisted = 1LL << 40;
        const double batchMs = Bench::medianMs(21, nullptr, [&] {
            RecordsTrans trans(positions);
            for (int n = 0; n < 10; ++n) {
                RecordUpdater added(Record(positions), trans);
                added.copy(positions->masterIndex()->at(n));
                added.data(QStringLiteral("sec_id")) = ++unlisted;
            }
        });
        Bench::result(QStringLiteral("host_positions"), positions->count(), QStringLiteral("count"));
        Bench::result(QStringLiteral("host_positions_batch_watched_by_accounts"), batchMs, QStringLiteral("ms"));
    }
    Bench::result(QStringLiteral("host_generate_market_1m_orders"), Bench::median(times), QStringLiteral("ms"));
    return 0;
}
