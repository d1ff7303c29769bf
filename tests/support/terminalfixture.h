#pragma once

#include "core/db/appsettings.h"
#include "core/db/masterindex.h"
#include "core/host/embedded/embeddedtransactionsender.h"
#include "hostwindow.h"
#include "marketfixture.h"
#include "orders/addordershortdialog.h"
#include "orders/private/futorder.h"
#include "sim/embeddedexchange.h"
#include "sim/marketfeed.h"
#include "tablewindow.h"
#include "terminalwindow.h"
#include "windows/proxyiview.h"
#include "windows/tablefastviewwithfilter.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include <memory>

// The demo terminal run in-process as its main() composes it: the sample market in the embedded host, the
// exchange behind the host's transaction sender, the feed, and the settings in a temporary folder. A test class
// derives from it, calls startTerminalFixture() in init() and stopTerminalFixture() in cleanup().
class TerminalFixture
{
protected:
    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<MarketFixture> m_market;
    std::unique_ptr<EmbeddedExchange> m_exchange;
    std::unique_ptr<MarketFeed> m_feed;
    // Every transaction that reached the exchange, in order.
    QList<RawTransaction> m_sent;
    // The terminal's main window, for the tests that keep one.
    std::unique_ptr<TerminalWindow> m_window;

    void startTerminalFixture(const SampleMarketOptions& options = SampleMarketOptions::tiny())
    {
        m_config = std::make_unique<QTemporaryDir>();
        AppSettings::setLocation(m_config->path());
        m_market = std::make_unique<MarketFixture>(options);
        m_exchange = std::make_unique<EmbeddedExchange>(&m_market->core, m_market->core.sender());
        m_sent.clear();
        m_market->core.sender()->setExecutor([this](const RawTransaction& t) {
            m_sent << t;
            m_exchange->execute(t);
        });
        m_feed = std::make_unique<MarketFeed>(m_market->market, &m_market->core);
        m_exchange->setFeed(m_feed.get());
    }
    void stopTerminalFixture()
    {
        m_feed.reset();
        m_exchange.reset();
        m_market.reset();
    }
    // The terminal over a market of `options`, its main window shown, the feed running at `rate` changes a second.
    void startTradingTerminal(const SampleMarketOptions& options, int rate)
    {
        startTerminalFixture(options);
        m_window = terminal();
        m_feed->setRate(rate);
        m_feed->start();
    }
    void stopTradingTerminal()
    {
        m_feed->stop();
        m_window.reset();
        stopTerminalFixture();
    }
    // A terminal window over the market, shown.
    std::unique_ptr<TerminalWindow> terminal()
    {
        auto made = std::make_unique<TerminalWindow>(&m_market->core, m_feed.get());
        // Larger than the offscreen screen, which would have it maximized: room for every window's columns.
        made->setWindowState(Qt::WindowNoState);
        made->resize(1280, 860);
        made->show();
        return made;
    }
    // The first window of a kind in `terminal` (opened when there is none), in front, showing the view titled
    // `view` when given.
    static HostWindow* open(TerminalWindow& terminal, const QString& kind, const QString& view = QString())
    {
        HostWindow* host = terminal.windowOf(kind);
        if (!host)
            return nullptr;
        for (QAction* action : host->view()->switcher()->actions()) {
            if (!view.isEmpty() && action->text() == view)
                action->trigger();
        }
        host->showMaximized();
        host->bringToFront();
        return host;
    }
    static TableWindow* table(TerminalWindow& terminal, const QString& kind, const QString& view = QString())
    {
        return TerminalWindow::tableView(open(terminal, kind, view));
    }
    // The shown dialog of a kind, wherever the host parented it; null when none is shown.
    template<class Dialog>
    static Dialog* shown()
    {
        for (QWidget* widget : QApplication::allWidgets()) {
            auto* dialog = qobject_cast<Dialog*>(widget);
            if (dialog && dialog->isVisible())
                return dialog;
        }
        return nullptr;
    }
    // The first instrument on the board that `test` accepts.
    Record instrument(int board, const std::function<bool(const Record&)>& test = {}) const
    {
        for (const Record& r : *m_market->table(QStringLiteral("securities"))->masterIndex()) {
            if (r.data(QStringLiteral("board_id")).toInteger() == board && (!test || test(r)))
                return r;
        }
        return Record();
    }
    // F2 over the instrument's row, as a trader enters an order: the new order form on it, or null.
    static FutOrder* newOrderFor(TerminalWindow& terminal, const Record& instrument)
    {
        // Application shortcuts such as F2 reach only an active window, which offscreen nothing activates.
        terminal.activateWindow();
        if (!QTest::qWaitForWindowActive(&terminal))
            return nullptr;
        TableWindow* instruments = table(terminal, QStringLiteral("instruments"));
        instruments->view()->setCurrentRecord(instrument, 0);
        instruments->view()->setFocus();
        QTest::keyClick(instruments->view(), Qt::Key_F2);
        AddOrderShortDialog* dialog = nullptr;
        if (!QTest::qWaitFor([&] { return (dialog = shown<AddOrderShortDialog>()) != nullptr; })
            || !QTest::qWaitForWindowActive(dialog))
            return nullptr;
        return qobject_cast<FutOrder*>(dialog->form());
    }
    // The action of the main window's menus with the text; null when there is none.
    static QAction* mainMenuAction(TerminalWindow& terminal, const QString& text)
    {
        for (QAction* action : terminal.menuBar()->findChildren<QAction*>()) {
            if (action->text() == text)
                return action;
        }
        return nullptr;
    }
    // Whether the message pane was told something containing `part`.
    bool notified(const QString& part) const
    {
        for (const QString& text : m_market->core.recentNotifications()) {
            if (text.contains(part))
                return true;
        }
        return false;
    }
};
