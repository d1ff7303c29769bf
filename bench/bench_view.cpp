// The fast table view against QTableView over the same live 1,000,000-row orders model, each alone in a
// 1920x1080 window (offscreen): a batch changing 200 visible cells, then repainting; a scroll by one row; and
// batches of 1,000 new orders arriving above a view scrolled to the middle, with the area each view repaints.
// Then a live stream into the fast view at the top: a batch every 4 ms (prices of half the rows on screen and of
// others, 400 in all, 10 new orders at the top), with the view's repaints paced to a frame interval and, for
// comparison, painted at every batch: paints a second, painting ms a second and the GUI thread's CPU ms a second.
//
// --screenshot FILE saves what the fast view shows; --stream measures the stream alone.

#include "benchutil.h"

#include "core/db/masterindex.h"
#include "core/db/recordstrans.h"
#include "core/db/recordupdater.h"
#include "core/db/table.h"
#include "marketfixture.h"
#include "models/tableindexmodel.h"
#include "paintedarea.h"
#include "views/qtablefastview.h"
#include "views/repaintpacer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QPaintEvent>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSet>
#include <QTableView>
#include <QTimer>

#include <ctime>

namespace {

// Lets the window paint what is pending.
void flush()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

double threadCpuMs()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The fast view with the time spent in its paint events.
class TimedView : public QTableFastView
{
public:
    int paints = 0;
    double paintMs = 0;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QElapsedTimer timer;
        timer.start();
        QTableFastView::paintEvent(event);
        paintMs += double(timer.nsecsElapsed()) / 1e6;
        ++paints;
    }
};

struct StreamFigures
{
    double paintsPerS = 0;
    double paintMsPerS = 0;
    double cpuMsPerS = 0;
    double batchesPerS = 0;
};

struct Figures
{
    double cells = 0;
    double scroll = 0;
    double inserts = 0;
    qint64 insertArea = 0;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int shotAt = args.indexOf(QStringLiteral("--screenshot"));
    const QString screenshot = shotAt >= 0 && shotAt + 1 < args.size() ? args.at(shotAt + 1) : QString();
    const bool streamOnly = args.contains(QStringLiteral("--stream"));

    Bench::header(QStringLiteral("bench_view: 1000000 live orders, 1920x1080, QTableFastView against QTableView"));
    const MarketFixture market(SampleMarketOptions::sized(5000, 1000000));
    Table* orders = market.table(QStringLiteral("orders"));
    const int price = orders->columnIndex(QStringLiteral("price"));
    const int quantity = orders->columnIndex(QStringLiteral("quantity"));
    const int balance = orders->columnIndex(QStringLiteral("balance"));
    const int status = orders->columnIndex(QStringLiteral("status"));

    // Newest orders first, as a trader watches them.
    TableIndexModel model(orders);
    model.setSort(0, Qt::DescendingOrder);
    model.rebuild();
    qint64 nextKey = orders->masterIndex()->at(orders->count() - 1).data(0).toInteger64() + 1;

    QTableFastView fast;
    fast.setModel(&model);
    fast.setPaintBufferEnabled(true);
    QTableView plain;
    plain.setModel(&model);
    plain.verticalHeader()->setDefaultSectionSize(fast.rowHeight());

    auto measure = [&](QAbstractItemView* view, QScrollBar* vertical) {
        Figures f;
        view->resize(1920, 1080);
        view->show();
        flush();
        vertical->setValue(500000);
        flush();

        // 200 visible cells: four fields of the first 50 rows on screen.
        const int top = view->indexAt(QPoint(5, 5)).row();
        int round = 0;
        f.cells = Bench::medianMs(
            15, [&] { flush(); },
            [&] {
                RecordsTrans trans(orders);
                ++round;
                for (int row = top; row < top + 50; ++row) {
                    RecordUpdater u(model.at(row), trans);
                    u.data(price) = u.record().data(price).toDecimal() + decimal(round % 2 ? 1 : -1, 0);
                    u.data(quantity) = u.record().data(quantity).toInteger64() + 1;
                    u.data(balance) = u.record().data(balance).toInteger64() + 1;
                    u.data(status) = round % 3;
                }
                trans.commit();
                flush();
            });

        // One row down.
        f.scroll = Bench::medianMs(
            30, [&] { flush(); },
            [&] {
                vertical->setValue(vertical->value() + 1);
                flush();
            });

        // 1,000 new orders above the rows on screen.
        PaintedArea painted;
        view->viewport()->installEventFilter(&painted);
        std::vector<double> times;
        const Record sample = orders->masterIndex()->at(0);
        for (int batch = 0; batch < 5; ++batch) {
            RecordsTrans trans(orders);
            for (int i = 0; i < 1000; ++i) {
                Record r = sample.clone();
                r.data(0) = nextKey++;
                RecordUpdater(r, trans);
            }
            times.push_back(Bench::timeMs([&] {
                trans.commit();
                flush();
            }));
        }
        view->viewport()->removeEventFilter(&painted);
        f.inserts = Bench::median(times);
        f.insertArea = painted.area / 5;
        view->hide();
        flush();
        return f;
    };

    const Figures ours = streamOnly ? Figures() : measure(&fast, fast.verticalScrollBar());
    if (!screenshot.isEmpty()) {
        fast.show();
        flush();
        fast.grab().save(screenshot);
        fast.hide();
    }
    const Figures theirs = streamOnly ? Figures() : measure(&plain, plain.verticalScrollBar());
    const qint64 viewportArea = qint64(fast.viewport()->width()) * fast.viewport()->height();

    fast.setModel(nullptr);
    plain.setModel(nullptr);
    // The stream: the fast view alone, at the top of the newest orders, as a trader watches the market.
    TimedView streamed;
    streamed.setModel(&model);
    streamed.setPaintBufferEnabled(true);
    streamed.resize(1920, 1080);
    streamed.show();
    flush();
    const int onScreen = streamed.viewport()->height() / streamed.rowHeight();
    QRandomGenerator rng(7);
    int tick = 0;
    auto batch = [&] {
        RecordsTrans trans(orders);
        ++tick;
        QSet<int> rows;
        while (rows.size() < onScreen / 2)
            rows.insert(int(rng.bounded(onScreen)));
        while (rows.size() < 400)
            rows.insert(onScreen + int(rng.bounded(model.rowCount() - onScreen)));
        for (int row : qAsConst(rows)) {
            RecordUpdater u(model.at(row), trans);
            u.data(price) = u.record().data(price).toDecimal() + decimal(tick % 2 ? 1 : -1, 0);
        }
        const Record sample = orders->masterIndex()->at(0);
        for (int i = 0; i < 10; ++i) {
            Record r = sample.clone();
            r.data(0) = nextKey++;
            RecordUpdater(r, trans);
        }
        trans.commit();
    };
    auto stream = [&](int intervalMs) {
        streamed.repaintPacer()->setInterval(intervalMs);
        flush();
        streamed.paints = 0;
        streamed.paintMs = 0;
        int batches = 0;
        QTimer feed;
        feed.setTimerType(Qt::PreciseTimer);
        QObject::connect(&feed, &QTimer::timeout, [&] {
            batch();
            ++batches;
        });
        QElapsedTimer wall;
        const double cpu0 = threadCpuMs();
        wall.start();
        feed.start(4);
        while (wall.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        feed.stop();
        const double seconds = double(wall.nsecsElapsed()) / 1e9;
        StreamFigures f;
        f.cpuMsPerS = (threadCpuMs() - cpu0) / seconds;
        f.paintsPerS = streamed.paints / seconds;
        f.paintMsPerS = streamed.paintMs / seconds;
        f.batchesPerS = batches / seconds;
        return f;
    };
    // Alternating runs, so that a busy spell of the machine falls on both.
    std::vector<double> paced[4], every[4];
    for (int run = 0; run < 3; ++run) {
        for (int mode = 0; mode < 2; ++mode) {
            const StreamFigures f = stream(mode == 0 ? RepaintPacer::DefaultIntervalMs : 0);
            auto& into = mode == 0 ? paced : every;
            into[0].push_back(f.paintsPerS);
            into[1].push_back(f.paintMsPerS);
            into[2].push_back(f.cpuMsPerS);
            into[3].push_back(f.batchesPerS);
        }
    }
    streamed.hide();

    if (!streamOnly) {
        Bench::result(QStringLiteral("view_200_cells_batch_ours"), ours.cells, QStringLiteral("ms"));
        Bench::result(QStringLiteral("view_200_cells_batch_qtableview"), theirs.cells, QStringLiteral("ms"));
        Bench::ratio(QStringLiteral("cells_batch_vs_qtableview"), theirs.cells / ours.cells);
        Bench::result(QStringLiteral("view_scroll_one_row_ours"), ours.scroll, QStringLiteral("ms"));
        Bench::result(QStringLiteral("view_scroll_one_row_qtableview"), theirs.scroll, QStringLiteral("ms"));
        Bench::ratio(QStringLiteral("scroll_vs_qtableview"), theirs.scroll / ours.scroll);
        Bench::result(QStringLiteral("view_insert_1000_above_ours"), ours.inserts, QStringLiteral("ms"));
        Bench::result(QStringLiteral("view_insert_1000_above_qtableview"), theirs.inserts, QStringLiteral("ms"));
        Bench::result(QStringLiteral("view_insert_1000_above_repainted_ours"),
            double(ours.insertArea) / viewportArea * 100, QStringLiteral("%_of_viewport"));
        Bench::result(QStringLiteral("view_insert_1000_above_repainted_qtableview"),
            double(theirs.insertArea) / viewportArea * 100, QStringLiteral("%_of_viewport"));
    }
    const QString pacedName = QStringLiteral("view_stream_paced_%1ms_").arg(RepaintPacer::DefaultIntervalMs);
    const QString everyName = QStringLiteral("view_stream_every_batch_");
    for (const auto& mode : { std::make_pair(pacedName, paced), std::make_pair(everyName, every) }) {
        Bench::result(mode.first + QStringLiteral("batches"), Bench::median(mode.second[3]), QStringLiteral("per_s"));
        Bench::result(mode.first + QStringLiteral("paints"), Bench::median(mode.second[0]), QStringLiteral("per_s"));
        Bench::result(mode.first + QStringLiteral("paint"), Bench::median(mode.second[1]), QStringLiteral("ms_per_s"));
        Bench::result(
            mode.first + QStringLiteral("gui_cpu"), Bench::median(mode.second[2]), QStringLiteral("ms_per_s"));
    }
    Bench::ratio(QStringLiteral("stream_paint_paced_vs_every_batch"),
        Bench::median(every[1]) / qMax(Bench::median(paced[1]), 1e-9));
    return 0;
}
