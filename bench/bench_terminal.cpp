// How long a trader waits for a new window of the terminal over a million orders: the model built and sorted,
// the window laid out and its first frame painted.

#include "benchutil.h"

#include "core/db/appsettings.h"
#include "hostwindow.h"
#include "marketfixture.h"
#include "sim/marketfeed.h"
#include "terminalwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Bench::header(QStringLiteral("bench_terminal: a window opened over 1000000 orders, built, sorted and painted"));
    const QTemporaryDir config;
    AppSettings::setLocation(config.path()); // no stored layouts of the user's
    MarketFixture market(SampleMarketOptions::sized(5000, 1000000));
    MarketFeed feed(market.market, &market.core);
    TerminalWindow terminal(&market.core, &feed);
    terminal.setSessionKept(false);
    terminal.resize(1600, 900);
    terminal.show();
    QCoreApplication::processEvents();

    for (const char* kind : { "orders", "deals" }) {
        std::vector<double> times;
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer clock;
            clock.start();
            HostWindow* window = terminal.openWindow(QString::fromLatin1(kind));
            window->grab(); // the first frame, painted
            times.push_back(clock.nsecsElapsed() / 1e6);
            delete window;
        }
        Bench::result(QStringLiteral("terminal_open_window_%1").arg(QLatin1String(kind)), Bench::median(times),
            QStringLiteral("ms"));
    }
    Bench::result(
        QStringLiteral("terminal_orders"), market.table(QStringLiteral("orders"))->count(), QStringLiteral("rows"));
    return 0;
}
