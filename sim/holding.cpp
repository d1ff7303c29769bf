#include "sim/holding.h"

#include <cstdlib>

void Holding::addFill(bool buy, qint64 quantity, const decimal& price)
{
    using FixedPointDetail::Int128;
    const qint64 before = position();
    (buy ? bought : sold) += quantity;
    const qint64 after = position();
    const qint64 held = std::llabs(before);
    if (after == 0) {
        averagePrice = decimal::minimum();
    } else if (before == 0 || (before > 0) != (after > 0)) {
        averagePrice = price.withScale(PriceScale); // opened, or turned over: the rest at this price
    } else if (std::llabs(after) > held) {
        // Added to: the average of what is held and the new lots, weighted by lots.
        const Int128 cost = Int128(averagePrice.withScale(PriceScale).mantissa()) * held
            + Int128(price.withScale(PriceScale).mantissa()) * quantity;
        averagePrice = decimal(qint64(FixedPointDetail::roundDiv(cost, held + quantity)), PriceScale);
    }
}

xdecimal Holding::margin(const decimal& settle, qint64 lotsize) const
{
    if (position() == 0 || averagePrice.isEmpty() || settle.isEmpty())
        return xdecimal(decimal(0, 2));
    const xdecimal change = xdecimal(settle.withScale(PriceScale)) - xdecimal(averagePrice);
    return (change * xdecimal(decimal(position() * lotsize, 0))).withScale(2);
}
