#include "core/db/decimal.h"

#include "core/db/datetime.h"
#include "core/db/xdecimal.h"

#include <QDataStream>
#include <QDebug>
#include <QVariant>

namespace {

template<typename T>
T fixedFromVariant(const QVariant& value, bool* ok)
{
    bool parsed = true;
    T result = T::minimum();
    const int type = value.userType();
    if (type == qMetaTypeId<decimal>()) {
        result = T(value.value<decimal>());
    } else if (type == qMetaTypeId<xdecimal>()) {
        const xdecimal x = value.value<xdecimal>();
        if constexpr (std::is_same_v<T, xdecimal>) {
            result = x;
        } else {
            try {
                result = x.toDecimal();
            } catch (const QString&) {
                parsed = false;
            }
        }
    } else if (type == QMetaType::Int || type == QMetaType::LongLong || type == QMetaType::UInt
        || type == QMetaType::Short || type == QMetaType::Char) {
        result = T(value.toLongLong(), 0);
    } else if (type == QMetaType::Double || type == QMetaType::Float) {
        result = T::fromDouble(value.toDouble());
        parsed = !result.isEmpty();
    } else if (type == QMetaType::QString || type == QMetaType::QByteArray) {
        result = T::fromString(value.toString(), &parsed);
    } else {
        parsed = false;
    }
    if (ok)
        *ok = parsed;
    return parsed ? result : T::minimum();
}

} // namespace

decimal decimal::fromVariant(const QVariant& value, bool* ok)
{
    return fixedFromVariant<decimal>(value, ok);
}

QVariant decimal::toVariant() const
{
    return QVariant::fromValue(*this);
}

uint qHash(const decimal& value, uint seed)
{
    // Equal values with different scales must hash alike.
    qint64 m = value.mantissa();
    int s = value.scale();
    while (!value.isEmpty() && s > 0 && m % 10 == 0) {
        m /= 10;
        --s;
    }
    return ::qHash(m, seed) ^ uint(s);
}

QDebug operator<<(QDebug debug, const decimal& value)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "decimal(" << (value.isEmpty() ? QStringLiteral("empty") : value.toString()) << ')';
    return debug;
}

decimal xdecimal::toDecimal() const
{
    if (isEmpty())
        return decimal::minimum();
    if (mantissa() <= std::numeric_limits<qint64>::min() || mantissa() > std::numeric_limits<qint64>::max())
        FixedPointDetail::throwOverflow();
    return decimal(static_cast<qint64>(mantissa()), scale());
}

xdecimal xdecimal::fromVariant(const QVariant& value, bool* ok)
{
    return fixedFromVariant<xdecimal>(value, ok);
}

QVariant xdecimal::toVariant() const
{
    return QVariant::fromValue(*this);
}

QDebug operator<<(QDebug debug, const xdecimal& value)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << "xdecimal(" << (value.isEmpty() ? QStringLiteral("empty") : value.toString()) << ')';
    return debug;
}

// Streamed as text: exact, and the same for both widths.
QDataStream& operator<<(QDataStream& out, const decimal& value)
{
    return out << value.toString();
}

QDataStream& operator>>(QDataStream& in, decimal& value)
{
    QString text;
    in >> text;
    value = decimal::fromString(text);
    return in;
}

QDataStream& operator<<(QDataStream& out, const xdecimal& value)
{
    return out << value.toString();
}

QDataStream& operator>>(QDataStream& in, xdecimal& value)
{
    QString text;
    in >> text;
    value = xdecimal::fromString(text);
    return in;
}

// Registers the fixed-point and date-time types with Qt's meta-type system, so that they travel in QVariant,
// convert to and from QString and double, and compare inside QVariant.
static void registerDatabaseMetaTypes()
{
    qRegisterMetaType<decimal>("decimal");
    qRegisterMetaType<xdecimal>("xdecimal");
    qRegisterMetaType<datetime>("datetime");
    qRegisterMetaTypeStreamOperators<decimal>("decimal");
    qRegisterMetaTypeStreamOperators<xdecimal>("xdecimal");
    qRegisterMetaTypeStreamOperators<datetime>("datetime");
    QMetaType::registerComparators<decimal>();
    QMetaType::registerComparators<xdecimal>();
    QMetaType::registerComparators<datetime>();

    QMetaType::registerConverter<decimal, QString>([](const decimal& d) { return d.toString(); });
    QMetaType::registerConverter<QString, decimal>([](const QString& s) { return decimal::fromString(s); });
    QMetaType::registerConverter<decimal, double>([](const decimal& d) { return d.toDouble(); });
    QMetaType::registerConverter<double, decimal>([](double v) { return decimal::fromDouble(v); });
    QMetaType::registerConverter<decimal, xdecimal>([](const decimal& d) { return xdecimal(d); });

    QMetaType::registerConverter<xdecimal, QString>([](const xdecimal& d) { return d.toString(); });
    QMetaType::registerConverter<QString, xdecimal>([](const QString& s) { return xdecimal::fromString(s); });
    QMetaType::registerConverter<xdecimal, double>([](const xdecimal& d) { return d.toDouble(); });
    QMetaType::registerConverter<double, xdecimal>([](double v) { return xdecimal::fromDouble(v); });

    QMetaType::registerConverter<datetime, QDateTime>([](const datetime& d) { return d.toQDateTime(); });
    QMetaType::registerConverter<QDateTime, datetime>([](const QDateTime& d) { return datetime::fromQDateTime(d); });
    QMetaType::registerConverter<datetime, QString>([](const datetime& d) { return d.toString(); });
}
Q_CONSTRUCTOR_FUNCTION(registerDatabaseMetaTypes)
