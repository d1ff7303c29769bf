#pragma once

#include "core/db/decimal.h"
#include "core/host/securitykey.h"
#include "sim/bv_sim_export.h"

#include <QDate>
#include <QStringList>
#include <QVector>

class Table;
class TableRegistry;

// How large a sample market to make.
struct BV_SIM_EXPORT SampleMarketOptions
{
    quint32 seed = 1;
    int underlyings = 6; // a few dozen at most: the list of underlyings is fixed
    int expiries = 2; // quarterly futures per underlying
    int strikesPerSide = 2; // option strikes on each side of the money, calls and puts on each
    int firms = 3;
    int clientsPerFirm = 4;
    int orders = 60;
    int sessions = 3; // the last one is trading, the earlier ones are finished

    // A few rows of each table, for unit tests.
    static SampleMarketOptions tiny(quint32 seed = 1);
    // About the given number of instruments and orders.
    static SampleMarketOptions sized(int instruments, int orders, quint32 seed = 1);
};

// An underlying asset of the market's contracts.
struct BV_SIM_EXPORT SampleUnderlying
{
    QString code;
    QString name;
    double price = 0;
    int decimals = 0;
    double step = 1;
    int lotsize = 1;
    int optionCalc = 1;
};

// One instrument of the market, as the generator made it.
struct BV_SIM_EXPORT SampleInstrument
{
    SecurityKey key;
    QString code;
    QString name;
    QString base;
    char sectype = 'F';
    int decimals = 0;
    decimal step;
    decimal settle;
    decimal minPrice;
    decimal maxPrice;
    int lotsize = 1;
    QDate expiry;
    SecurityKey future; // for an option or a board-3 mirror: the future it refers to
};

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

    const SampleMarketOptions& options() const { return m_options; }
    const QVector<SampleUnderlying>& underlyings() const { return m_underlyings; }
    const QVector<SampleInstrument>& instruments() const { return m_instruments; }
    QStringList clientCodes() const;
    QStringList firmCodes() const;
    int currentSession() const;
    QDate tradeDate() const { return m_tradeDate; }
    static const int StockId = 1;

private:
    void makeInstruments();

    SampleMarketOptions m_options;
    QDate m_tradeDate;
    QVector<SampleUnderlying> m_underlyings;
    QVector<SampleInstrument> m_instruments;
};
