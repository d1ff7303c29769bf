#pragma once

#include "core/db/appsettings.h"
#include "marketfixture.h"
#include "sim/marketfeed.h"
#include "terminalwindow.h"

#include <QTemporaryDir>

#include <memory>

// The demo terminal run in-process over a small market and its feed, with its settings in a temporary folder. A
// test class derives from it, calls startTerminalFixture() in init() and stopTerminalFixture() in cleanup().
class TerminalFixture
{
protected:
    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<MarketFixture> m_market;
    std::unique_ptr<MarketFeed> m_feed;

    void startTerminalFixture()
    {
        m_config = std::make_unique<QTemporaryDir>();
        AppSettings::setLocation(m_config->path());
        m_market = std::make_unique<MarketFixture>();
        m_feed = std::make_unique<MarketFeed>(m_market->market, &m_market->core);
    }
    void stopTerminalFixture()
    {
        m_feed.reset();
        m_market.reset();
    }
    // A terminal window over the market, shown.
    std::unique_ptr<TerminalWindow> terminal()
    {
        auto made = std::make_unique<TerminalWindow>(&m_market->core, m_feed.get());
        made->resize(1200, 800);
        made->show();
        return made;
    }
};
