#pragma once

#include "core/db/decimal.h"
#include "core/db/xdecimal.h"
#include "sim/bv_sim_export.h"

// One account's holding of one instrument as its fills move it: what it opened the day with, what it bought and
// sold, and the average price of the open position. A fill that adds to the position averages in; one that
// reduces it leaves the average; one that turns it over opens the rest at its own price. The variation margin is
// the open position revalued at a settlement price. Prices average to 4 decimals and margins count kopecks, both
// computed exactly.
struct BV_SIM_EXPORT Holding
{
    static constexpr int PriceScale = 4;

    qint64 open = 0;
    qint64 bought = 0;
    qint64 sold = 0;
    decimal averagePrice; // empty while flat

    qint64 position() const { return open + bought - sold; }
    void addFill(bool buy, qint64 quantity, const decimal& price);
    // position × (settle − average price) × lot size, to the kopeck; zero while flat.
    xdecimal margin(const decimal& settle, qint64 lotsize) const;
};
