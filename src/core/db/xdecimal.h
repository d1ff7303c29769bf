#pragma once

#include "core/db/decimal.h"

// A fixed-point number with a 128-bit mantissa: sums of many decimals that must not overflow.
class BV_DB_EXPORT xdecimal : public FixedPoint<FixedPointDetail::Int128, xdecimal>
{
public:
    using FixedPoint::FixedPoint;
    constexpr xdecimal() noexcept = default;
    xdecimal(const decimal& value) noexcept // NOLINT: widening is always exact
        : FixedPoint(value.isEmpty() ? emptyMantissa() : Mantissa(value.mantissa()), value.scale())
    { }

    // Narrows to a decimal; throws a QString when the value does not fit.
    decimal toDecimal() const;

    static xdecimal fromVariant(const QVariant& value, bool* ok = nullptr);
    QVariant toVariant() const;
};

BV_DB_EXPORT QDebug operator<<(QDebug debug, const xdecimal& value);
BV_DB_EXPORT QDataStream& operator<<(QDataStream& out, const xdecimal& value);
BV_DB_EXPORT QDataStream& operator>>(QDataStream& in, xdecimal& value);

Q_DECLARE_METATYPE(xdecimal)
Q_DECLARE_TYPEINFO(xdecimal, Q_PRIMITIVE_TYPE);
