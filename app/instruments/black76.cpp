#include "black76.h"

#include <cmath>
#include <limits>

namespace {

double normalCdf(double x)
{
    return 0.5 * std::erfc(-x / std::sqrt(2.0));
}

double normalPdf(double x)
{
    return std::exp(-0.5 * x * x) / std::sqrt(2.0 * M_PI);
}

// The volatilities searched: from almost none to 1000% a year.
constexpr double LowestVolatility = 1e-9;
constexpr double HighestVolatility = 10;

} // namespace

double Black76::price(Type type, double forward, double strike, double years, double volatility, double rate)
{
    const double discount = std::exp(-rate * years);
    const double spread = volatility * std::sqrt(years);
    if (spread <= 0) {
        const double intrinsic = type == Type::Call ? forward - strike : strike - forward;
        return discount * std::max(0.0, intrinsic);
    }
    const double d1 = (std::log(forward / strike) + 0.5 * spread * spread) / spread;
    const double d2 = d1 - spread;
    if (type == Type::Call)
        return discount * (forward * normalCdf(d1) - strike * normalCdf(d2));
    return discount * (strike * normalCdf(-d2) - forward * normalCdf(-d1));
}

double Black76::vega(double forward, double strike, double years, double volatility, double rate)
{
    const double spread = volatility * std::sqrt(years);
    if (spread <= 0)
        return 0;
    const double d1 = (std::log(forward / strike) + 0.5 * spread * spread) / spread;
    return std::exp(-rate * years) * forward * normalPdf(d1) * std::sqrt(years);
}

double Black76::impliedVolatility(Type type, double premium, double forward, double strike, double years, double rate)
{
    const double none = std::numeric_limits<double>::quiet_NaN();
    if (!(premium > 0 && forward > 0 && strike > 0 && years > 0))
        return none;
    double low = LowestVolatility;
    double high = HighestVolatility;
    if (premium <= price(type, forward, strike, years, low, rate)
        || premium >= price(type, forward, strike, years, high, rate))
        return none;
    // Newton's steps from a guess near the money's volatility; a step that leaves the bracket, or gains too little,
    // is replaced by halving it. The price rises with the volatility, so the bracket always holds the answer.
    double volatility = std::sqrt(2 * std::abs(std::log(forward / strike)) / years) + 0.2;
    if (volatility <= low || volatility >= high)
        volatility = 0.5 * (low + high);
    for (int step = 0; step < 200; ++step) {
        const double difference = price(type, forward, strike, years, volatility, rate) - premium;
        if (std::abs(difference) < 1e-12 * std::max(1.0, premium))
            return volatility;
        if (difference > 0)
            high = volatility;
        else
            low = volatility;
        const double slope = vega(forward, strike, years, volatility, rate);
        const double next = slope > 0 ? volatility - difference / slope : low - 1;
        volatility = next > low && next < high ? next : 0.5 * (low + high);
        if (high - low < 1e-15)
            return volatility;
    }
    return volatility;
}
