// Export of the orders window of a million-order market to CSV, dBASE IV and dBASE Level 7 through the file
// exporter, without dialogs: time, rows and megabytes per second, peak memory growth, and how late the event
// loop ran meanwhile (a 5 ms timer's lateness); then 100,000 rows copied to the clipboard. Three runs each,
// medians printed.

#include "benchutil.h"

#include "columns/catalogue/standardcolumndelegates.h"
#include "core/db/masterindex.h"
#include "export/exporterproxymodel.h"
#include "export/fileexporter.h"
#include "filters/rowfiltersmodel.h"
#include "marketfixture.h"
#include "models/tableindexmodel.h"
#include "predicatefilter.h"
#include "windows/viewwrapper.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>

namespace {

// The event loop's lateness while `work` runs: a 5 ms timer notes how late each tick comes.
struct Latency
{
    explicit Latency(QObject* parent)
        : timer(parent)
    {
        timer.setInterval(5);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            const qint64 now = clock.nsecsElapsed();
            if (last > 0)
                lateness.push_back(std::max(0.0, (now - last) / 1e6 - 5.0));
            last = now;
        });
    }
    void start()
    {
        lateness.clear();
        last = 0;
        clock.start();
        timer.start();
    }
    double p99()
    {
        timer.stop();
        if (lateness.empty())
            return 0;
        std::sort(lateness.begin(), lateness.end());
        return lateness.at(std::min(lateness.size() - 1, size_t(lateness.size() * 0.99)));
    }

    QTimer timer;
    QElapsedTimer clock;
    qint64 last = 0;
    std::vector<double> lateness;
};

// The kernel forgets the peak resident size so far, so that the next peak is this run's own.
void resetPeakRss()
{
    QFile file(QStringLiteral("/proc/self/clear_refs"));
    if (file.open(QIODevice::WriteOnly))
        file.write("5");
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Bench::header(
        QStringLiteral("bench_export: the orders window of 1000000 orders, every catalogue column, to CSV and dBASE"));
    const MarketFixture market(SampleMarketOptions::sized(5000, 1000000));
    TableIndexModel orders(market.table(QStringLiteral("orders")));
    StandardColumnDelegates::install(&orders, QStringLiteral("orders"));
    orders.setSort(0, Qt::DescendingOrder);
    orders.build();
    QTemporaryDir dir;
    Latency latency(&app);
    // Three runs to each format; the medians, and the largest memory growth seen.
    for (const char* format : { "csv", "dbf", "dbf7" }) {
        const QString path = dir.filePath(QStringLiteral("orders.") + QLatin1String(format));
        std::vector<double> seconds, p99s;
        qint64 growth = 0;
        for (int run = 0; run < 3; ++run) {
            resetPeakRss();
            const qint64 before = Bench::currentRss();
            QEventLoop loop;
            int status = -1;
            const QMetaObject::Connection done
                = QObject::connect(FileExporter::instance(), &FileExporter::finished, [&](int, int result) {
                      status = result;
                      loop.quit();
                  });
            QElapsedTimer clock;
            latency.start();
            clock.start();
            FileExporter::instance()->exportModel(
                { ExporterProxyModel::create(&orders), QStringLiteral("Заявки"), QFileInfo(path) });
            loop.exec();
            QObject::disconnect(done);
            seconds.push_back(clock.nsecsElapsed() / 1e9);
            p99s.push_back(latency.p99());
            growth = std::max(growth, Bench::peakRss() - before);
            if (status != FileExporter::Written)
                qFatal("export failed");
        }
        const QString name = QStringLiteral("export_%1_1m").arg(QLatin1String(format));
        const double s = Bench::median(seconds);
        const qint64 bytes = QFileInfo(path).size();
        Bench::result(name, s, QStringLiteral("s"));
        Bench::result(name + QStringLiteral("_rows_per_s"), orders.rowCount() / s, QStringLiteral("rows/s"));
        Bench::result(name + QStringLiteral("_mb_per_s"), bytes / 1e6 / s, QStringLiteral("MB/s"));
        Bench::result(name + QStringLiteral("_file_size"), bytes / 1e6, QStringLiteral("MB"));
        Bench::result(name + QStringLiteral("_peak_memory_growth"), growth / 1e6, QStringLiteral("MB"));
        Bench::result(name + QStringLiteral("_event_loop_p99_lateness"), Bench::median(p99s), QStringLiteral("ms"));
        QFile::remove(path);
    }

    // The 100,000 oldest orders, as a filtered window shows them, to the clipboard.
    Table* table = market.table(QStringLiteral("orders"));
    const int numberField = table->columnIndex(QStringLiteral("order_num"));
    std::vector<qint64> numbers;
    numbers.reserve(table->count());
    for (const Record& r : *table->masterIndex())
        numbers.push_back(r.data(numberField).toInteger64());
    std::nth_element(numbers.begin(), numbers.begin() + 99999, numbers.end());
    const qint64 last = numbers.at(99999);
    TableIndexModel first(table);
    StandardColumnDelegates::install(&first, QStringLiteral("orders"));
    first.filtersModel()->addFilter(new PredicateFilter(
        [numberField, last](const Record& r) { return r.data(numberField).toInteger64() <= last; }, &first));
    first.build();
    auto top = ExporterProxyModel::create(&first);
    std::vector<double> copies;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer clock;
        clock.start();
        ViewWrapper::copyModelToClipboard(top.data());
        copies.push_back(clock.nsecsElapsed() / 1e9);
    }
    Bench::result(
        QStringLiteral("copy_to_clipboard_%1_rows").arg(first.rowCount()), Bench::median(copies), QStringLiteral("s"));
    return 0;
}
