// The terminal's own ceiling, without the simulator: a stream recorded from a market of a million orders played
// back as fast as the terminal takes it, with every kind of window open in each of its views. Prints what a soak
// run prints: changes a second, the event loop's latency and where the main thread's time goes.

#include "benchutil.h"

#include "core/db/appsettings.h"
#include "core/db/table.h"
#include "core/host/embedded/embeddedcore.h"
#include "core/host/schema/hostschema.h"
#include "core/host/stream/streamrecorder.h"
#include "core/host/stream/streamreplayer.h"
#include "core/host/tableregistry.h"
#include "hostwindow.h"
#include "marketfixture.h"
#include "sim/marketfeed.h"
#include "soakrun.h"
#include "terminalapplication.h"
#include "terminalwindow.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int Orders = 1000000;
constexpr qint64 StreamChanges = 4000000;
constexpr int BatchChanges = 5000;
constexpr int MaxSeconds = 120;

// Records the feed's batches over a market of a million orders, no window open.
void record(const QString& path)
{
    MarketFixture market(SampleMarketOptions::sized(5000, Orders));
    MarketFeed feed(market.market, &market.core);
    QList<Table*> tables;
    for (const QString& name : market.core.tables()->names())
        tables << market.table(name);
    QElapsedTimer clock;
    clock.start();
    StreamRecorder recorder(tables, path);
    Bench::result(QStringLiteral("replay_record_snapshot"), clock.nsecsElapsed() / 1e6, QStringLiteral("ms"));
    while (feed.changes() < StreamChanges && recorder.isRecording()) {
        feed.step(BatchChanges);
        QCoreApplication::processEvents();
    }
    recorder.stop();
    Bench::result(QStringLiteral("replay_stream_changes"), double(feed.changes()), QStringLiteral("changes"));
}

} // namespace

int main(int argc, char** argv)
{
    TerminalApplication app(argc, argv);
    Bench::header(QStringLiteral("bench_replay: a recorded stream over %1 orders (%2 changes in batches of %3) "
                                 "played at max with every window open in every view")
                      .arg(Orders)
                      .arg(StreamChanges)
                      .arg(BatchChanges));
    const QTemporaryDir dir;
    AppSettings::setLocation(dir.path()); // no stored layouts of the user's
    const QString path = dir.filePath(QStringLiteral("stream.bvs"));
    record(path);
    Bench::result(QStringLiteral("replay_file_size"), QFileInfo(path).size() / (1024.0 * 1024.0), QStringLiteral("MB"));

    EmbeddedCore core;
    for (const TableSchema& schema : HostSchema::all())
        core.tables()->registerTable(schema.create());
    StreamReplayer replayer;
    try {
        replayer.open(path);
        replayer.bind(core.tables());
    } catch (const QString& message) {
        std::fprintf(stderr, "%s\n", qPrintable(message));
        return 1;
    }
    QElapsedTimer clock;
    clock.start();
    replayer.loadSnapshot();
    Bench::result(QStringLiteral("replay_load_snapshot"), clock.nsecsElapsed() / 1e6, QStringLiteral("ms"));
    replayer.setSpeed(0);
    TerminalWindow window(&core, &replayer);
    window.setSessionKept(false);
    window.resize(1600, 900);
    window.openEveryView();
    window.show();
    auto rows = [&core] {
        qint64 n = 0;
        for (const char* table : { "orders", "deals", "positions" })
            n += core.tables()->table(QString::fromLatin1(table))->count();
        return n;
    };
    SoakRun run(
        { [&replayer] { replayer.start(); }, [&replayer] { replayer.stop(); },
            [&replayer] { return replayer.generationMs(); }, QStringLiteral("a recorded stream at max"), {}, {} },
        MaxSeconds, rows);
    run.setPaintClock([&app] { return app.paintNsecs(); });
    for (const auto& [name, model] : window.measuredModels())
        run.addModel(name, model);
    QObject::connect(&replayer, &StreamReplayer::batchApplied, &run, &SoakRun::onBatch);
    QObject::connect(&replayer, &StreamReplayer::finished, &run, &SoakRun::finish);
    run.start();
    app.exec();
    Bench::result(QStringLiteral("replay_skipped"), double(replayer.skipped()), QStringLiteral("transactions"));
    return 0;
}
