#pragma once

// Black's model of an option on a futures contract: the price of a European call or put from the futures price,
// the strike, the time to expiry in years, the volatility (annual, as a fraction) and the rate the premium is
// discounted at, and the volatility a price implies. Plain floating point: these are model values, not money.
class Black76
{
public:
    enum class Type { Call, Put };

    static double price(Type type, double forward, double strike, double years, double volatility, double rate = 0);
    // The price's change per unit of volatility.
    static double vega(double forward, double strike, double years, double volatility, double rate = 0);
    // The volatility at which the model gives `premium`, to within 1e-12 of the price; NaN when no volatility
    // does (a premium at or below the option's value at no volatility, at or above its value at infinite
    // volatility) or the inputs are not positive.
    static double impliedVolatility(
        Type type, double premium, double forward, double strike, double years, double rate = 0);
};
