#pragma once

#include "core/db/fixedpoint.h"

#include <QMetaType>

class QDataStream;

// A fixed-point number with a 64-bit mantissa and 0..18 decimals: prices and amounts of the terminal's tables.
class BV_DB_EXPORT decimal : public FixedPoint<qint64, decimal>
{
public:
    using FixedPoint::FixedPoint;
    constexpr decimal() noexcept = default;

    static decimal fromVariant(const QVariant& value, bool* ok = nullptr);
    QVariant toVariant() const;
};

BV_DB_EXPORT uint qHash(const decimal& value, uint seed = 0);
BV_DB_EXPORT QDebug operator<<(QDebug debug, const decimal& value);
BV_DB_EXPORT QDataStream& operator<<(QDataStream& out, const decimal& value);
BV_DB_EXPORT QDataStream& operator>>(QDataStream& in, decimal& value);

Q_DECLARE_METATYPE(decimal)
Q_DECLARE_TYPEINFO(decimal, Q_PRIMITIVE_TYPE);
