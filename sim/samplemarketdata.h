#pragma once

#include "core/db/decimal.h"
#include "core/host/securitykey.h"
#include "sim/bv_sim_export.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QStringList>
#include <QVector>

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
    // The moment the market is made at: its trading day, and the end of the day's history. Invalid: the current
    // time, read once.
    QDateTime now;

    // A few rows of each table, for unit tests, made at a fixed moment.
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
    SecurityKey future; // for an option or a mirror: the future it refers to
};

// What the day's orders so far left on an instrument: its trades, and the best prices still resting.
struct BV_SIM_EXPORT SampleTrading
{
    decimal last;
    qint64 volume = 0; // 0: not traded today
    decimal bid = decimal::minimum();
    decimal offer = decimal::minimum();
};

// What the table writers make the tables from: the market's instruments, accounts and calendar, as plain data.
struct BV_SIM_EXPORT SampleMarketData
{
    static constexpr int StockId = 1;
    // The boards as the order dialogs' rules know them: futures trade on the anonymous board 1, options on 14
    // (with the option price limits check), and each underlying's first future is mirrored on the negotiated-deal
    // board 3, which stands for the instrument it mirrors.
    static constexpr int FuturesBoard = 1;
    static constexpr int OptionsBoard = 14;
    static constexpr int MirrorBoard = 3;
    // The number of the first of the sample's sessions.
    static constexpr int FirstSession = 5000;

    SampleMarketOptions options;
    QDateTime now;
    QDate tradeDate;
    int currentSession = 0;
    QVector<SampleUnderlying> underlyings;
    QVector<SampleInstrument> instruments;
    QStringList firmCodes;
    QStringList clientCodes;
    QHash<qint64, SampleTrading> trading; // by security id; instruments without orders today are absent

    // The session's settlement price so far: the last trade's price, yesterday's settlement before any trade.
    decimal settlementPrice(const SampleInstrument& instrument) const
    {
        const auto traded = trading.constFind(instrument.key.sec);
        return traded == trading.constEnd() || traded->volume == 0 ? instrument.settle : traded->last;
    }
};
