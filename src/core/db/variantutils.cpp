#include "core/db/variantutils.h"

#include "core/db/datetime.h"
#include "core/db/decimal.h"
#include "core/db/xdecimal.h"

namespace {

enum class Kind { Empty, Integer, Real, Fixed, Moment, Text, Other };

Kind kindOf(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return Kind::Empty;
    const int type = v.userType();
    switch (type) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return Kind::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return Kind::Real;
    case QMetaType::QDateTime:
    case QMetaType::QDate:
    case QMetaType::QTime:
        return Kind::Moment;
    case QMetaType::QString:
    case QMetaType::QChar:
    case QMetaType::QByteArray:
        return Kind::Text;
    default:
        break;
    }
    if (type == qMetaTypeId<decimal>())
        return v.value<decimal>().isEmpty() ? Kind::Empty : Kind::Fixed;
    if (type == qMetaTypeId<xdecimal>())
        return v.value<xdecimal>().isEmpty() ? Kind::Empty : Kind::Fixed;
    if (type == qMetaTypeId<datetime>())
        return Kind::Moment;
    return Kind::Other;
}

template<typename T>
int order(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

qint64 momentOf(const QVariant& v)
{
    switch (v.userType()) {
    case QMetaType::QDateTime:
        return datetime::fromQDateTime(v.toDateTime()).toMSecs();
    case QMetaType::QDate:
        return datetime::fromDate(v.toDate()).toMSecs();
    case QMetaType::QTime:
        return v.toTime().msecsSinceStartOfDay();
    default:
        return v.value<datetime>().toMSecs();
    }
}

} // namespace

int variant_compare(const QVariant& a, const QVariant& b, Qt::CaseSensitivity cs)
{
    const Kind ka = kindOf(a);
    const Kind kb = kindOf(b);
    if (ka == Kind::Empty || kb == Kind::Empty)
        return int(ka != Kind::Empty) - int(kb != Kind::Empty);
    const bool numericA = ka == Kind::Integer || ka == Kind::Real || ka == Kind::Fixed;
    const bool numericB = kb == Kind::Integer || kb == Kind::Real || kb == Kind::Fixed;
    if (numericA && numericB) {
        if (ka == Kind::Integer && kb == Kind::Integer)
            return order(a.toLongLong(), b.toLongLong());
        if (ka == Kind::Real || kb == Kind::Real)
            return order(a.toDouble(), b.toDouble());
        return xdecimal::fromVariant(a).compare(xdecimal::fromVariant(b));
    }
    if (ka == Kind::Moment && kb == Kind::Moment)
        return order(momentOf(a), momentOf(b));
    return QString::compare(a.toString(), b.toString(), cs);
}

QVariant variant_convert(const QVariant& value, int typeId)
{
    if (!value.isValid())
        return QVariant();
    if (value.userType() == typeId)
        return value;
    bool ok = false;
    if (typeId == qMetaTypeId<decimal>()) {
        const decimal d = decimal::fromVariant(value, &ok);
        return ok ? QVariant::fromValue(d) : QVariant();
    }
    if (typeId == qMetaTypeId<xdecimal>()) {
        const xdecimal d = xdecimal::fromVariant(value, &ok);
        return ok ? QVariant::fromValue(d) : QVariant();
    }
    if (typeId == qMetaTypeId<datetime>()) {
        if (kindOf(value) == Kind::Moment)
            return QVariant::fromValue(datetime(momentOf(value)));
        const datetime d = datetime::fromString(value.toString(), &ok);
        return ok ? QVariant::fromValue(d) : QVariant();
    }
    QVariant converted = value;
    if (value.userType() == qMetaTypeId<datetime>() && typeId != QMetaType::QString)
        converted = value.value<datetime>().toQDateTime();
    if (!converted.convert(typeId))
        return QVariant();
    return converted;
}

bool commonFuzzyCompare(double a, double b)
{
    return qFuzzyIsNull(a - b) || qFuzzyCompare(a, b);
}
