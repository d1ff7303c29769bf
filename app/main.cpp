// The embedded terminal, headless for now: builds the sample market in the host core's registry, applies a
// batch of market changes and reports what it did.

#include "directories/boarddirectory.h"
#include "directories/securitydirectory.h"
#include "embeddedcore.h"
#include "masterindex.h"
#include "recordstrans.h"
#include "recordupdater.h"
#include "samplemarket.h"
#include "tableregistry.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("basic-views-demo"));
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption ordersOption(QStringLiteral("orders"), QStringLiteral("Orders in the market."),
                                          QStringLiteral("N"), QStringLiteral("100000"));
    const QCommandLineOption seedOption(QStringLiteral("seed"), QStringLiteral("Seed of the market."),
                                        QStringLiteral("S"), QStringLiteral("1"));
    parser.addOptions({ordersOption, seedOption});
    parser.process(app);
    QTextStream out(stdout);

    EmbeddedCore core;
    SampleMarketOptions options = SampleMarketOptions::sized(5000, parser.value(ordersOption).toInt(),
                                                             parser.value(seedOption).toUInt());
    const SampleMarket market(options);
    QElapsedTimer timer;
    timer.start();
    market.populate(core.tables());
    out << "Sample market built in " << timer.elapsed() << " ms\n";
    for (const QString& name : core.tables()->names())
        out << QStringLiteral("  %1 %2 rows\n").arg(name, -22).arg(core.tables()->table(name)->count());

    const SampleInstrument& future = market.instruments().first();
    out << "First instrument: " << SecurityDirectory::i()->nameByKey(future.key) << " on board "
        << BoardDirectory::i()->nameById(future.key.stock, future.key.board) << ", "
        << SecurityDirectory::i()->decimalsById(future.key.stock, future.key.board, future.key.sec)
        << " decimals\n";

    // A batch like the gateway's: a tenth of the orders get partly filled.
    Table* orders = core.tables()->table(QStringLiteral("orders"));
    const int balance = orders->columnIndex(QStringLiteral("balance"));
    QRandomGenerator rng(7);
    timer.restart();
    {
        RecordsTrans trans(orders);
        for (int i = 0; i < orders->count() / 10; ++i) {
            const Record& r = orders->masterIndex()->at(int(rng.bounded(orders->count())));
            const qint64 left = r.data(balance).toInteger64();
            if (left > 0)
                RecordUpdater(r, trans).data(balance) = left - 1;
        }
    }
    out << "Applied a batch of " << orders->count() / 10 << " order changes in " << timer.elapsed() << " ms\n";
    return 0;
}
