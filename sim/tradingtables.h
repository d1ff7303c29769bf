#pragma once

#include "core/db/decimal.h"

#include <QHash>
#include <QtGlobal>

#include <functional>

struct SampleInstrument;
struct SampleMarketData;
struct SampleTrading;
class Table;

// Fills the sample market's trading tables. Orders come first; deals are the fills of those orders, positions
// hold the deals per account and instrument, and fees belong to deals, so every table is generated from the same
// stream of orders, whichever of them is asked for. What the day's trades left on each instrument (its last price
// and the lots traded) comes from the same stream.
class TradingTables
{
public:
    explicit TradingTables(const SampleMarketData& market)
        : m_market(market)
    { }
    // Orders, deals, positions, fee or broker_fee.
    void fill(Table* table) const;

    // The instruments' day so far, by security id.
    QHash<qint64, SampleTrading> tradedByInstrument() const;

    static constexpr qint64 IcebergSign = qint64(1) << 47;
    static constexpr qint64 ExecutionSign = qint64(1) << 5;
    static constexpr qint64 ExpirationSign = qint64(1) << 7;
    static constexpr qint64 PositionTransferSign = qint64(1) << 16;
    static constexpr qint64 AddressSign = qint64(1) << 26;
    static constexpr qint64 CombinedSign = qint64(1) << 27;

private:
    // One order of the stream with its fills (up to two deals).
    struct Order
    {
        qint64 number = 0;
        const SampleInstrument* instrument = nullptr;
        QChar side;
        decimal price;
        qint64 quantity = 0;
        qint64 balance = 0;
        int status = 0;
        int client = 0;
        qint64 moment = 0;
        int session = 0;
        qint64 signs = 0;
        qint64 parts[2] = { 0, 0 }; // lots of each deal, 0 for none
        qint64 dealNumbers[2] = { 0, 0 };
        int rare[2] = { 0, 0 }; // draws that pick a deal's special signs
    };
    void generate(const std::function<void(const Order&)>& visit) const;

    const SampleMarketData& m_market;
};
