// Directory lookups over a hundred thousand instruments, and the time to generate the million-order market.

#include "benchutil.h"

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
    }
    Bench::result(QStringLiteral("host_generate_market_1m_orders"), Bench::median(times), QStringLiteral("ms"));
    return 0;
}
