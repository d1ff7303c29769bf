// Find in a million-order window with every column shown: the worst search (a text no cell shows, so every cell
// of every row is read), with the longest gap the event loop sees meanwhile, and the text turned into a row filter.

#include "benchutil.h"

#include "columns/catalogue/standardcolumndelegates.h"
#include "marketfixture.h"
#include "models/tableindexmodel.h"
#include "views/find/itemviewfind.h"
#include "windows/tablefastview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace {

struct Search
{
    double seconds = 0;
    qint64 longestGapMs = 0;
    bool found = false;
};

// One search from the top, with a 5 ms timer watching the event loop.
Search timeSearch(ItemViewFind& find, TableFastView& view, const QString& text)
{
    view.setCurrentIndex(view.model()->index(0, 0));
    QElapsedTimer sinceTick;
    qint64 longest = 0;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] { longest = std::max(longest, sinceTick.restart()); });
    watch.start();
    sinceTick.start();
    QElapsedTimer clock;
    clock.start();
    Search s;
    s.found = find.findNext(text);
    s.seconds = clock.nsecsElapsed() / 1e9;
    s.longestGapMs = std::max(longest, sinceTick.elapsed());
    return s;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int rows = 1000000;
    const MarketFixture market(SampleMarketOptions::sized(5000, rows));
    TableIndexModel model(market.table(QStringLiteral("orders")));
    StandardColumnDelegates::install(&model, QStringLiteral("orders"));
    model.setSort(model.columnIndex(QStringLiteral("order_num")), Qt::DescendingOrder);
    model.rebuild();
    TableFastView view;
    view.setModel(&model);
    for (int column = 0; column < model.columnCount(); ++column)
        view.header()->showSection(column);
    view.resize(1200, 700);
    view.show();
    QApplication::processEvents();
    ItemViewFind find;
    find.setView(&view);
    find.setHeader(view.header());
    const int columns = find.columnList().size();
    const double cells = double(model.rowCount()) * columns;
    Bench::header(QStringLiteral("bench_find: %1 orders x %2 shown columns, %3 cores")
                      .arg(model.rowCount())
                      .arg(columns)
                      .arg(QThread::idealThreadCount()));

    // A text of letters and one of digits: numbers are formatted and compared for both.
    for (const QString& text : { QStringLiteral("qzqz"), QStringLiteral("98765432101") }) {
        std::vector<double> seconds;
        std::vector<double> gaps;
        for (int run = 0; run < 3; ++run) {
            const Search s = timeSearch(find, view, text);
            if (s.found)
                qFatal("'%s' was found", qPrintable(text));
            seconds.push_back(s.seconds);
            gaps.push_back(double(s.longestGapMs));
        }
        const QString name = text.at(0).isDigit() ? QStringLiteral("digits") : QStringLiteral("letters");
        const double median = Bench::median(seconds);
        Bench::result(QStringLiteral("find_no_match_%1_1M").arg(name), median, QStringLiteral("s"));
        Bench::result(
            QStringLiteral("find_no_match_%1_1M_rate").arg(name), cells / median / 1e6, QStringLiteral("Mcells/s"));
        Bench::result(QStringLiteral("find_no_match_%1_1M_longest_event_gap").arg(name),
            *std::max_element(gaps.begin(), gaps.end()), QStringLiteral("ms"));
    }

    // The row filter: an account's orders, then all rows again.
    std::vector<double> filterSeconds;
    int kept = 0;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer clock;
        clock.start();
        find.filter(QStringLiteral("F001"));
        filterSeconds.push_back(clock.nsecsElapsed() / 1e9);
        kept = model.rowCount();
        find.filter(QString());
        if (model.rowCount() != rows)
            qFatal("the filter left %d rows behind", model.rowCount());
    }
    Bench::result(QStringLiteral("find_filter_text_1M"), Bench::median(filterSeconds),
        QStringLiteral("s (%1 rows kept)").arg(kept));
    Bench::result(QStringLiteral("find_filter_text_1M_rate"), cells / Bench::median(filterSeconds) / 1e6,
        QStringLiteral("Mcells/s"));
    return 0;
}
