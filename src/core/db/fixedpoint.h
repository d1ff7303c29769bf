#pragma once

#include "core/db/bv_db_export.h"

#include <QCoreApplication>
#include <QLocale>
#include <QString>

#include <cmath>
#include <limits>

// Exact fixed-point arithmetic shared by `decimal` (64-bit mantissa) and `xdecimal` (128-bit mantissa, for sums).
// A value is mantissa * 10^-scale with scale 0..18. The smallest mantissa is reserved for the empty value
// (`minimum()`): it compares below every other value and an arithmetic operation with it gives the empty value.
// Overflow and scales out of range throw a QString.
namespace FixedPointDetail {

using Int128 = __int128;
using UInt128 = unsigned __int128;

constexpr int MaxScale = 18;

BV_DB_EXPORT Int128 pow10(int n); // n in 0..38
// The powers of ten that fit 64 bits, for the paths that avoid 128-bit arithmetic.
constexpr qint64 pow10_64[] = { 1LL, 10LL, 100LL, 1000LL, 10000LL, 100000LL, 1000000LL, 10000000LL, 100000000LL,
    1000000000LL, 10000000000LL, 100000000000LL, 1000000000000LL, 10000000000000LL, 100000000000000LL,
    1000000000000000LL, 10000000000000000LL, 100000000000000000LL, 1000000000000000000LL };
BV_DB_EXPORT QString magnitudeText(UInt128 magnitude, int scale, QChar point);
BV_DB_EXPORT Int128 roundDiv(Int128 value, Int128 divisor); // half away from zero
[[noreturn]] BV_DB_EXPORT void throwOverflow();
[[noreturn]] BV_DB_EXPORT void throwBadScale(int scale);
// Parses "[-+]digits[.|,digits]"; fraction digits beyond MaxScale are rounded away.
BV_DB_EXPORT bool parse(QStringView text, Int128& mantissa, int& scale);

} // namespace FixedPointDetail

template<typename M, typename Derived>
class FixedPoint
{
public:
    using Mantissa = M;
    static constexpr int MaxScale = FixedPointDetail::MaxScale;

    constexpr FixedPoint() noexcept = default;
    constexpr FixedPoint(M mantissa, int scale) noexcept
        : m_mantissa(mantissa)
        , m_scale(static_cast<qint8>(scale))
    { }

    M mantissa() const { return m_mantissa; }
    int scale() const { return m_scale; }
    bool isEmpty() const { return m_mantissa == emptyMantissa(); }

    static Derived zero() { return Derived(M(0), 0); }
    static Derived minimum() { return Derived(emptyMantissa(), 0); }
    static Derived maximum() { return Derived(std::numeric_limits<M>::max(), 0); }

    static Derived fromDouble(double value, int decimals)
    {
        using namespace FixedPointDetail;
        if (!std::isfinite(value))
            return minimum();
        if (decimals < 0 || decimals > MaxScale)
            throwBadScale(decimals);
        const long double scaled
            = std::round(static_cast<long double>(value) * static_cast<long double>(pow10(decimals)));
        if (!(std::fabs(scaled) < static_cast<long double>(std::numeric_limits<M>::max())))
            throwOverflow();
        return Derived(static_cast<M>(scaled), decimals);
    }

    // The shortest scale that gives the double back.
    static Derived fromDouble(double value)
    {
        for (int decimals = 0; decimals < 15; ++decimals) {
            const Derived d = fromDouble(value, decimals);
            if (d.isEmpty() || d.toDouble() == value)
                return d;
        }
        return fromDouble(value, 15);
    }

    static Derived fromString(QStringView text, bool* ok = nullptr)
    {
        FixedPointDetail::Int128 mantissa = 0;
        int scale = 0;
        const bool parsed = FixedPointDetail::parse(text, mantissa, scale) && fits(mantissa);
        if (ok)
            *ok = parsed;
        return parsed ? Derived(static_cast<M>(mantissa), scale) : minimum();
    }
    static Derived fromString(const QString& text, bool* ok = nullptr) { return fromString(QStringView(text), ok); }

    Derived withScale(int scale) const
    {
        using namespace FixedPointDetail;
        if (scale < 0 || scale > MaxScale)
            throwBadScale(scale);
        if (isEmpty() || scale == m_scale)
            return Derived(m_mantissa, isEmpty() ? m_scale : scale);
        if constexpr (sizeof(M) <= sizeof(qint64)) {
            // Prices are shown to their instrument's decimals millions of times: round in 64 bits.
            if (scale < m_scale) {
                const qint64 divisor = pow10_64[m_scale - scale];
                qint64 quotient = m_mantissa / divisor;
                const qint64 remainder = qAbs(m_mantissa % divisor);
                if (remainder >= divisor - remainder)
                    quotient += m_mantissa < 0 ? -1 : 1;
                return Derived(static_cast<M>(quotient), scale);
            }
        }
        Int128 value = m_mantissa;
        if (scale > m_scale) {
            if (__builtin_mul_overflow(value, pow10(scale - m_scale), &value) || !fits(value))
                throwOverflow();
        } else {
            value = roundDiv(value, pow10(m_scale - scale));
        }
        return Derived(static_cast<M>(value), scale);
    }
    Derived& setScale(int scale) { return self() = withScale(scale); }

    double toDouble() const
    {
        if (isEmpty())
            return 0.0;
        return static_cast<double>(
            static_cast<long double>(m_mantissa) / static_cast<long double>(FixedPointDetail::pow10(m_scale)));
    }
    QString toString() const { return text(QLatin1Char('.'), QLatin1Char('-')); }
    QString toSystemString() const
    {
        const QLocale locale;
        return text(locale.decimalPoint(), locale.negativeSign());
    }

    int compare(const Derived& other) const
    {
        using namespace FixedPointDetail;
        if (isEmpty() || other.isEmpty())
            return int(!isEmpty()) - int(!other.isEmpty());
        if (m_scale == other.m_scale)
            return m_mantissa < other.m_mantissa ? -1 : (m_mantissa > other.m_mantissa ? 1 : 0);
        if constexpr (sizeof(M) <= sizeof(qint64)) {
            // Prices of one column often differ in scale; aligning them rarely leaves 64 bits, and sorts compare
            // them millions of times: skip the 128-bit product when it is not needed.
            qint64 a = m_mantissa;
            qint64 b = other.m_mantissa;
            const bool fits = m_scale < other.m_scale
                ? !__builtin_mul_overflow(a, pow10_64[other.m_scale - m_scale], &a)
                : !__builtin_mul_overflow(b, pow10_64[m_scale - other.m_scale], &b);
            if (fits)
                return a < b ? -1 : (a > b ? 1 : 0);
        }
        Int128 a = m_mantissa;
        Int128 b = other.m_mantissa;
        // Align to the larger scale; a product that overflows is larger in magnitude than the other side.
        if (m_scale < other.m_scale) {
            if (__builtin_mul_overflow(a, pow10(other.m_scale - m_scale), &a))
                return m_mantissa < 0 ? -1 : 1;
        } else if (__builtin_mul_overflow(b, pow10(m_scale - other.m_scale), &b)) {
            return other.m_mantissa < 0 ? 1 : -1;
        }
        return a < b ? -1 : (a > b ? 1 : 0);
    }

    Derived operator-() const
    {
        if (isEmpty())
            return minimum();
        return Derived(static_cast<M>(-m_mantissa), m_scale);
    }
    Derived operator+(const Derived& other) const { return addSub(other, false); }
    Derived operator-(const Derived& other) const { return addSub(other, true); }
    Derived operator*(const Derived& other) const
    {
        using namespace FixedPointDetail;
        if (isEmpty() || other.isEmpty())
            return minimum();
        Int128 product;
        if (__builtin_mul_overflow(Int128(m_mantissa), Int128(other.m_mantissa), &product))
            throwOverflow();
        int scale = m_scale + other.m_scale;
        if (scale > MaxScale) {
            product = roundDiv(product, pow10(scale - MaxScale));
            scale = MaxScale;
        }
        if (!fits(product))
            throwOverflow();
        return Derived(static_cast<M>(product), scale);
    }
    Derived& operator+=(const Derived& other) { return self() = *this + other; }
    Derived& operator-=(const Derived& other) { return self() = *this - other; }
    Derived& operator*=(const Derived& other) { return self() = *this * other; }

    friend bool operator==(const Derived& a, const Derived& b) { return a.compare(b) == 0; }
    friend bool operator!=(const Derived& a, const Derived& b) { return a.compare(b) != 0; }
    friend bool operator<(const Derived& a, const Derived& b) { return a.compare(b) < 0; }
    friend bool operator<=(const Derived& a, const Derived& b) { return a.compare(b) <= 0; }
    friend bool operator>(const Derived& a, const Derived& b) { return a.compare(b) > 0; }
    friend bool operator>=(const Derived& a, const Derived& b) { return a.compare(b) >= 0; }

protected:
    static constexpr M emptyMantissa() { return std::numeric_limits<M>::min(); }
    static bool fits(FixedPointDetail::Int128 value)
    {
        return value > FixedPointDetail::Int128(emptyMantissa()) && value <= std::numeric_limits<M>::max();
    }

private:
    Derived& self() { return static_cast<Derived&>(*this); }

    Derived addSub(const Derived& other, bool subtract) const
    {
        using namespace FixedPointDetail;
        if (isEmpty() || other.isEmpty())
            return minimum();
        const int scale = qMax(m_scale, other.m_scale);
        Int128 a = withScale(scale).m_mantissa;
        Int128 b = other.withScale(scale).m_mantissa;
        Int128 sum;
        if (subtract ? __builtin_sub_overflow(a, b, &sum) : __builtin_add_overflow(a, b, &sum))
            throwOverflow();
        if (!fits(sum))
            throwOverflow();
        return Derived(static_cast<M>(sum), scale);
    }

    QString text(QChar point, QChar minus) const
    {
        using namespace FixedPointDetail;
        if (isEmpty())
            return QString();
        const bool negative = m_mantissa < 0;
        const UInt128 magnitude = negative ? UInt128(-Int128(m_mantissa)) : UInt128(m_mantissa);
        const QString digits = magnitudeText(magnitude, m_scale, point);
        return negative ? minus + digits : digits;
    }

    M m_mantissa = 0;
    qint8 m_scale = 0;
};
