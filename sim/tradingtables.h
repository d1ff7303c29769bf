#pragma once

#include <QtGlobal>

struct SampleMarketData;
class Table;

// Fills the sample market's trading tables. Orders come first; deals are the fills of those orders, positions
// sum the deals per account and instrument, and fees belong to deals, so every table is generated from the same
// stream of orders, whichever of them is asked for.
class TradingTables
{
public:
    explicit TradingTables(const SampleMarketData& market)
        : m_market(market)
    { }
    // Orders, deals, positions, fee or broker_fee.
    void fill(Table* table) const;

    static constexpr qint64 IcebergSign = qint64(1) << 47;
    static constexpr qint64 ExecutionSign = qint64(1) << 5;
    static constexpr qint64 ExpirationSign = qint64(1) << 7;
    static constexpr qint64 AddressSign = qint64(1) << 26;

private:
    const SampleMarketData& m_market;
};
