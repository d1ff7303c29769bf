#pragma once

#include "sim/samplemarketdata.h"

class Table;
class TableRegistry;

// A deterministic derivatives market: the reference tables a terminal holds (markets, boards, futures and
// options with their limits, sessions, enumerations, accounts, users, fees, margins) and the trading tables
// ("orders", "deals", "positions") with realistic values. The same seed and options make the same tables.
class BV_SIM_EXPORT SampleMarket
{
public:
    explicit SampleMarket(const SampleMarketOptions& options = SampleMarketOptions());

    // Creates every table of the host schema, fills it and registers it.
    void populate(TableRegistry* registry) const;
    // Fills one table (of the host schema) from scratch, as populate() does.
    void fill(Table* table) const;
    // Sends a reference table again, as the gateway does after a reconnect; a non-zero edition marks every
    // name in it with " #edition", so that its readers can tell the new content from the old.
    void reload(Table* table, int edition) const;

    const SampleMarketData& data() const { return m_data; }
    const SampleMarketOptions& options() const { return m_data.options; }
    const QVector<SampleUnderlying>& underlyings() const { return m_data.underlyings; }
    const QVector<SampleInstrument>& instruments() const { return m_data.instruments; }
    const QStringList& clientCodes() const { return m_data.clientCodes; }
    const QStringList& firmCodes() const { return m_data.firmCodes; }
    int currentSession() const { return m_data.currentSession; }
    QDate tradeDate() const { return m_data.tradeDate; }
    static constexpr int StockId = SampleMarketData::StockId;
    static constexpr int FuturesBoard = SampleMarketData::FuturesBoard;
    static constexpr int OptionsBoard = SampleMarketData::OptionsBoard;
    static constexpr int MirrorBoard = SampleMarketData::MirrorBoard;

private:
    void makeInstruments();
    void makeAccounts();

    SampleMarketData m_data;
};
