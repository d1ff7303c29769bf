#include "core/db/fieldcodec.h"

#include "core/db/variantutils.h"

#include <QLocale>

#include <cstring>
#include <limits>

namespace {

template<typename T>
T load(const uchar* p)
{
    T value;
    std::memcpy(&value, p, sizeof(T));
    return value;
}

template<typename T>
void store(uchar* p, const T& value)
{
    std::memcpy(p, &value, sizeof(T));
}

// Fixed-point values are stored as mantissa then scale, so that equal values written alike compare byte for byte.
decimal loadDecimal(const uchar* p)
{
    return decimal(load<qint64>(p), p[8]);
}

xdecimal loadXDecimal(const uchar* p)
{
    return xdecimal(load<FixedPointDetail::Int128>(p), p[16]);
}

int textLength(const uchar* p, int length)
{
    const ushort* chars = reinterpret_cast<const ushort*>(p);
    int n = 0;
    while (n < length && chars[n] != 0)
        ++n;
    return n;
}

template<typename T>
int order(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

bool isNumeric(FieldType::Type type)
{
    return type >= FieldType::Int32 && type <= FieldType::XDecimal;
}

QLocale systemNumberLocale()
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

} // namespace

// ---- FieldInput ----

FieldInput::FieldInput(const FieldInput& other)
    : m_kind(other.m_kind)
    , m_integer(other.m_integer)
    , m_real(other.m_real)
    , m_fixed(other.m_fixed)
    , m_text(other.m_text)
    , m_ownedText(other.m_ownedText)
    , m_char(other.m_char)
    , m_slot(other.m_slot)
{
    if (!other.m_ownedText.isNull())
        m_text = m_ownedText;
}

FieldInput::FieldInput(bool value)
    : m_kind(Integer)
    , m_integer(value ? 1 : 0)
{ }

FieldInput::FieldInput(int value)
    : m_kind(Integer)
    , m_integer(value)
{ }

FieldInput::FieldInput(long value)
    : m_kind(Integer)
    , m_integer(value)
{ }

FieldInput::FieldInput(long long value)
    : m_kind(Integer)
    , m_integer(value)
{ }

FieldInput::FieldInput(unsigned value)
    : m_kind(Integer)
    , m_integer(value)
{ }

FieldInput::FieldInput(unsigned long value)
    : FieldInput(static_cast<unsigned long long>(value))
{ }

FieldInput::FieldInput(unsigned long long value)
    : m_kind(Integer)
    , m_integer(static_cast<qint64>(value))
{
    // Too large for a signed 64-bit field: keep it as a wide number so the range check reports it.
    if (value > static_cast<unsigned long long>(std::numeric_limits<qint64>::max())) {
        m_kind = WideFixed;
        m_fixed = xdecimal(static_cast<FixedPointDetail::Int128>(value), 0);
    }
}

FieldInput::FieldInput(double value)
    : m_kind(Real)
    , m_real(value)
{ }

FieldInput::FieldInput(const decimal& value)
    : m_kind(value.isEmpty() ? Null : Fixed)
    , m_fixed(value)
{ }

FieldInput::FieldInput(const xdecimal& value)
    : m_kind(value.isEmpty() ? Null : WideFixed)
    , m_fixed(value)
{ }

FieldInput::FieldInput(const datetime& value)
    : m_kind(Moment)
    , m_integer(value.toMSecs())
{ }

FieldInput::FieldInput(const QDateTime& value)
    : m_kind(value.isValid() ? Moment : Null)
    , m_integer(datetime::fromQDateTime(value).toMSecs())
{ }

FieldInput::FieldInput(const QDate& value)
    : m_kind(value.isValid() ? Moment : Null)
    , m_integer(datetime::fromDate(value).toMSecs())
{ }

FieldInput::FieldInput(const QString& value)
    : m_kind(value.isNull() ? Null : Text)
    , m_text(value)
{ }

FieldInput::FieldInput(QStringView value)
    : m_kind(value.isNull() ? Null : Text)
    , m_text(value)
{ }

FieldInput::FieldInput(const char* value)
    : m_kind(value ? Text : Null)
    , m_ownedText(QString::fromUtf8(value))
{
    m_text = m_ownedText;
}

FieldInput::FieldInput(QChar value)
    : m_kind(Character)
    , m_char(value)
{ }

FieldInput::FieldInput(char value)
    : m_kind(Character)
    , m_char(QLatin1Char(value))
{ }

FieldInput::FieldInput(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return;
    const int type = value.userType();
    switch (type) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        m_kind = Integer;
        m_integer = value.toLongLong();
        return;
    case QMetaType::ULongLong: {
        const FieldInput wide(value.toULongLong());
        m_kind = wide.m_kind;
        m_integer = wide.m_integer;
        m_fixed = wide.m_fixed;
        return;
    }
    case QMetaType::Double:
    case QMetaType::Float:
        m_kind = Real;
        m_real = value.toDouble();
        return;
    case QMetaType::QChar:
        m_kind = Character;
        m_char = value.toChar();
        return;
    case QMetaType::QDateTime:
    case QMetaType::QDate: {
        // A date not through QVariant's QDateTime: that is local midnight, which some zones skip.
        const FieldInput moment
            = type == QMetaType::QDate ? FieldInput(value.toDate()) : FieldInput(value.toDateTime());
        m_kind = moment.m_kind;
        m_integer = moment.m_integer;
        return;
    }
    default:
        break;
    }
    if (type == qMetaTypeId<decimal>()) {
        const decimal d = value.value<decimal>();
        m_kind = d.isEmpty() ? Null : Fixed;
        m_fixed = d;
    } else if (type == qMetaTypeId<xdecimal>()) {
        m_fixed = value.value<xdecimal>();
        m_kind = m_fixed.isEmpty() ? Null : WideFixed;
    } else if (type == qMetaTypeId<datetime>()) {
        m_kind = Moment;
        m_integer = value.value<datetime>().toMSecs();
    } else {
        // Texts and whatever else Qt can turn into text; a field of another type parses it or refuses it.
        m_kind = Text;
        m_ownedText = value.toString();
        m_text = m_ownedText;
    }
}

FieldInput::FieldInput(const FieldSlot& value)
    : m_kind(value.hasValue ? Slot : Null)
    , m_slot(value)
{ }

QString FieldInput::describe() const
{
    switch (m_kind) {
    case Null:
        return QString();
    case Integer:
        return QString::number(m_integer);
    case Real:
        return QString::number(m_real, 'g', 17);
    case Fixed:
    case WideFixed:
        return m_fixed.toString();
    case Moment:
        return datetime(m_integer).toString();
    case Text:
        return m_text.toString();
    case Character:
        return QString(m_char);
    case Slot:
        return FieldCodec::toString(m_slot);
    }
    return QString();
}

// ---- readers ----

QString FieldCodec::toString(const FieldSlot& s)
{
    if (!s.hasValue)
        return QString();
    switch (s.type) {
    case FieldType::Int32:
        return QString::number(load<qint32>(s.data));
    case FieldType::Int64:
        return QString::number(load<qint64>(s.data));
    case FieldType::Double:
        return QString::number(load<double>(s.data), 'g', 15);
    case FieldType::Decimal:
        return loadDecimal(s.data).toString();
    case FieldType::XDecimal:
        return loadXDecimal(s.data).toString();
    case FieldType::DateTime:
        return datetime(load<qint64>(s.data)).toString();
    case FieldType::String:
    case FieldType::Char:
        return toStringView(s).toString();
    case FieldType::Unknown:
        break;
    }
    return QString();
}

QString FieldCodec::toSystemString(const FieldSlot& s)
{
    if (!s.hasValue)
        return QString();
    switch (s.type) {
    case FieldType::Double:
        return systemNumberLocale().toString(load<double>(s.data), 'g', 15);
    case FieldType::Decimal:
        return loadDecimal(s.data).toSystemString();
    case FieldType::XDecimal:
        return loadXDecimal(s.data).toSystemString();
    default:
        return toString(s);
    }
}

QStringView FieldCodec::toStringView(const FieldSlot& s)
{
    if (!s.hasValue)
        return QStringView();
    const QChar* chars = reinterpret_cast<const QChar*>(s.data);
    if (s.type == FieldType::Char)
        return QStringView(chars, chars[0].isNull() ? 0 : 1);
    if (s.type == FieldType::String)
        return QStringView(chars, textLength(s.data, s.length));
    return QStringView();
}

qint32 FieldCodec::toInteger(const FieldSlot& s)
{
    if (s.hasValue && s.type == FieldType::Int32)
        return load<qint32>(s.data);
    return static_cast<qint32>(toInteger64(s));
}

qint64 FieldCodec::toInteger64(const FieldSlot& s)
{
    if (!s.hasValue)
        return 0;
    switch (s.type) {
    case FieldType::Int32:
        return load<qint32>(s.data);
    case FieldType::Int64:
    case FieldType::DateTime:
        return load<qint64>(s.data);
    case FieldType::Double:
        return static_cast<qint64>(load<double>(s.data));
    case FieldType::Decimal: {
        const decimal d = loadDecimal(s.data);
        return d.mantissa() / static_cast<qint64>(FixedPointDetail::pow10(d.scale()));
    }
    case FieldType::XDecimal: {
        const xdecimal d = loadXDecimal(s.data);
        return static_cast<qint64>(d.mantissa() / FixedPointDetail::pow10(d.scale()));
    }
    case FieldType::String:
        return toStringView(s).toString().toLongLong();
    case FieldType::Char:
        return load<ushort>(s.data);
    case FieldType::Unknown:
        break;
    }
    return 0;
}

double FieldCodec::toDouble(const FieldSlot& s)
{
    if (!s.hasValue)
        return 0.0;
    switch (s.type) {
    case FieldType::Double:
        return load<double>(s.data);
    case FieldType::Decimal:
        return loadDecimal(s.data).toDouble();
    case FieldType::XDecimal:
        return loadXDecimal(s.data).toDouble();
    case FieldType::String:
        return toDecimal(s).toDouble();
    default:
        return static_cast<double>(toInteger64(s));
    }
}

decimal FieldCodec::toDecimal(const FieldSlot& s)
{
    if (!s.hasValue)
        return decimal::minimum();
    switch (s.type) {
    case FieldType::Decimal:
        return loadDecimal(s.data);
    case FieldType::XDecimal:
        return loadXDecimal(s.data).toDecimal();
    case FieldType::Double:
        return decimal::fromDouble(load<double>(s.data));
    case FieldType::String:
        return decimal::fromString(toStringView(s));
    case FieldType::Int32:
    case FieldType::Int64:
        return decimal(toInteger64(s), 0);
    default:
        return decimal::minimum();
    }
}

xdecimal FieldCodec::toXDecimal(const FieldSlot& s)
{
    if (s.hasValue && s.type == FieldType::XDecimal)
        return loadXDecimal(s.data);
    if (s.hasValue && s.type == FieldType::String)
        return xdecimal::fromString(toStringView(s));
    return xdecimal(toDecimal(s));
}

datetime FieldCodec::toDatetime(const FieldSlot& s)
{
    if (!s.hasValue)
        return datetime();
    if (s.type == FieldType::DateTime || s.type == FieldType::Int64)
        return datetime(load<qint64>(s.data));
    if (s.type == FieldType::String)
        return datetime::fromString(toStringView(s).toString());
    return datetime();
}

QDate FieldCodec::toQDate(const FieldSlot& s)
{
    return s.hasValue ? toDatetime(s).date() : QDate();
}

QTime FieldCodec::toQTime(const FieldSlot& s)
{
    return s.hasValue ? toDatetime(s).time() : QTime();
}

QDateTime FieldCodec::toQDateTime(const FieldSlot& s)
{
    return s.hasValue ? toDatetime(s).toQDateTime() : QDateTime();
}

QChar FieldCodec::toChar(const FieldSlot& s)
{
    if (!s.hasValue)
        return QChar();
    if (s.type == FieldType::Char || s.type == FieldType::String)
        return load<QChar>(s.data);
    return QChar(static_cast<ushort>(toInteger64(s)));
}

QVariant FieldCodec::toVariant(const FieldSlot& s)
{
    if (!s.hasValue)
        return QVariant();
    switch (s.type) {
    case FieldType::Int32:
        return load<qint32>(s.data);
    case FieldType::Int64:
        return static_cast<qlonglong>(load<qint64>(s.data));
    case FieldType::Double:
        return load<double>(s.data);
    case FieldType::Decimal:
        return QVariant::fromValue(loadDecimal(s.data));
    case FieldType::XDecimal:
        return QVariant::fromValue(loadXDecimal(s.data));
    case FieldType::DateTime:
        return datetime(load<qint64>(s.data)).toQDateTime();
    case FieldType::String:
    case FieldType::Char:
        return toStringView(s).toString();
    case FieldType::Unknown:
        break;
    }
    return QVariant();
}

qint64 FieldCodec::rawInt64(const FieldSlot& s)
{
    if (!s.data)
        return 0;
    switch (FieldType::storageSize(s.type, s.length)) {
    case 2:
        return load<ushort>(s.data);
    case 4:
        return load<qint32>(s.data);
    default:
        return load<qint64>(s.data);
    }
}

int FieldCodec::compare(const FieldSlot& a, const FieldSlot& b)
{
    if (!a.hasValue || !b.hasValue)
        return int(a.hasValue) - int(b.hasValue);
    if (a.type == b.type) {
        switch (a.type) {
        case FieldType::Int32:
            return order(load<qint32>(a.data), load<qint32>(b.data));
        case FieldType::Int64:
        case FieldType::DateTime:
            return order(load<qint64>(a.data), load<qint64>(b.data));
        case FieldType::Double:
            return order(load<double>(a.data), load<double>(b.data));
        case FieldType::Decimal:
            return loadDecimal(a.data).compare(loadDecimal(b.data));
        case FieldType::XDecimal:
            return loadXDecimal(a.data).compare(loadXDecimal(b.data));
        case FieldType::String:
        case FieldType::Char:
            return toStringView(a).compare(toStringView(b));
        case FieldType::Unknown:
            return 0;
        }
    }
    if (isNumeric(a.type) && isNumeric(b.type)) {
        if (a.type == FieldType::Double || b.type == FieldType::Double)
            return order(toDouble(a), toDouble(b));
        return toXDecimal(a).compare(toXDecimal(b));
    }
    return variant_compare(toVariant(a), toVariant(b));
}

// ---- writers ----

void FieldCodec::throwWrongKind(FieldType::Type type, int length, const FieldInput& input, const QString& fieldName)
{
    throw tr("Значение '%1' нельзя записать в поле '%2' типа %3")
        .arg(input.describe(), fieldName, FieldType::typeNameWithLength(type, length));
}

void FieldCodec::throwOutOfRange(FieldType::Type type, int length, const QString& value, const QString& fieldName)
{
    throw tr("Значение %1 вне допустимого диапазона поля '%2' типа %3")
        .arg(value, fieldName, FieldType::typeNameWithLength(type, length));
}

FieldInput FieldCodec::fromSlot(const FieldSlot& s)
{
    if (!s.hasValue)
        return FieldInput();
    switch (s.type) {
    case FieldType::Int32:
    case FieldType::Int64:
        return FieldInput(toInteger64(s));
    case FieldType::Double:
        return FieldInput(load<double>(s.data));
    case FieldType::Decimal:
        return FieldInput(loadDecimal(s.data));
    case FieldType::XDecimal:
        return FieldInput(loadXDecimal(s.data));
    case FieldType::DateTime:
        return FieldInput(datetime(load<qint64>(s.data)));
    case FieldType::String:
        return FieldInput(toStringView(s));
    case FieldType::Char:
        return FieldInput(toChar(s));
    case FieldType::Unknown:
        break;
    }
    return FieldInput();
}

void FieldCodec::clear(FieldType::Type type, int length, uchar* data)
{
    std::memset(data, 0, FieldType::storageSize(type, length));
}

bool FieldCodec::write(FieldType::Type type, int length, uchar* data, const FieldInput& in, const QString& fieldName)
{
    using Kind = FieldInput::Kind;
    if (in.m_kind == Kind::Null) {
        clear(type, length, data);
        return false;
    }
    if (in.m_kind == Kind::Slot) {
        if (in.m_slot.type == type && in.m_slot.length == length) {
            std::memmove(data, in.m_slot.data, FieldType::storageSize(type, length));
            return true;
        }
        return write(type, length, data, fromSlot(in.m_slot), fieldName);
    }

    // Every kind is first brought to one of: an exact integer, a double, a wide decimal, a moment or a text.
    auto storeInteger = [&](qint64 v) {
        if (type == FieldType::Int32) {
            if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
                throwOutOfRange(type, length, QString::number(v), fieldName);
            store(data, static_cast<qint32>(v));
        } else {
            store(data, v);
        }
        return true;
    };
    auto storeFixed = [&](const xdecimal& v) {
        switch (type) {
        case FieldType::Int32:
        case FieldType::Int64: {
            const xdecimal whole = v.withScale(0);
            if (whole != v || whole.mantissa() < std::numeric_limits<qint64>::min()
                || whole.mantissa() > std::numeric_limits<qint64>::max())
                throwOutOfRange(type, length, v.toString(), fieldName);
            return storeInteger(static_cast<qint64>(whole.mantissa()));
        }
        case FieldType::Double:
            store(data, v.toDouble());
            return true;
        case FieldType::Decimal: {
            decimal d;
            try {
                d = v.toDecimal();
            } catch (const QString&) {
                throwOutOfRange(type, length, v.toString(), fieldName);
            }
            store(data, d.mantissa());
            data[8] = static_cast<uchar>(d.scale());
            return true;
        }
        case FieldType::XDecimal:
            store(data, v.mantissa());
            data[16] = static_cast<uchar>(v.scale());
            return true;
        default:
            throwWrongKind(type, length, in, fieldName);
        }
    };
    auto storeText = [&](QStringView text) {
        if (text.size() > qMax(length, 1))
            throw tr("Текст '%1' длиннее поля '%2': не более %3 символов")
                .arg(text.toString(), fieldName)
                .arg(qMax(length, 1));
        const int bytes = FieldType::storageSize(type, length);
        std::memset(data, 0, bytes);
        std::memcpy(data, text.data(), text.size() * sizeof(QChar));
        return true;
    };

    switch (in.m_kind) {
    case Kind::Integer:
        if (type == FieldType::Int32 || type == FieldType::Int64)
            return storeInteger(in.m_integer);
        if (type == FieldType::Double) {
            store(data, static_cast<double>(in.m_integer));
            return true;
        }
        return storeFixed(xdecimal(in.m_integer, 0));
    case Kind::Real: {
        if (!std::isfinite(in.m_real) || type == FieldType::String || type == FieldType::Char
            || type == FieldType::DateTime)
            throwWrongKind(type, length, in, fieldName);
        if (type == FieldType::Double) {
            store(data, in.m_real);
            return true;
        }
        xdecimal v;
        try {
            const bool fixedColumn = type == FieldType::Decimal || type == FieldType::XDecimal;
            v = fixedColumn && length > 0 && length <= xdecimal::MaxScale ? xdecimal::fromDouble(in.m_real, length)
                                                                          : xdecimal::fromDouble(in.m_real);
        } catch (const QString&) {
            throwOutOfRange(type, length, in.describe(), fieldName);
        }
        return storeFixed(v);
    }
    case Kind::Fixed:
    case Kind::WideFixed:
        return storeFixed(in.m_fixed);
    case Kind::Moment:
        if (type != FieldType::DateTime)
            throwWrongKind(type, length, in, fieldName);
        store(data, in.m_integer);
        return true;
    case Kind::Character:
        if (type == FieldType::Char || type == FieldType::String)
            return storeText(QStringView(&in.m_char, 1));
        throwWrongKind(type, length, in, fieldName);
    case Kind::Text: {
        if (type == FieldType::String || type == FieldType::Char) {
            if (type == FieldType::Char && in.m_text.isEmpty()) {
                clear(type, length, data);
                return false;
            }
            return storeText(in.m_text);
        }
        const QStringView text = in.m_text.trimmed();
        if (text.isEmpty()) {
            clear(type, length, data);
            return false;
        }
        bool ok = false;
        if (type == FieldType::DateTime) {
            const datetime moment = datetime::fromString(text.toString(), &ok);
            if (!ok)
                throwWrongKind(type, length, in, fieldName);
            store(data, moment.toMSecs());
            return true;
        }
        if (type == FieldType::Double) {
            const double v = text.toString().replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
            if (!ok)
                throwWrongKind(type, length, in, fieldName);
            store(data, v);
            return true;
        }
        const xdecimal v = xdecimal::fromString(text, &ok);
        if (!ok)
            throwWrongKind(type, length, in, fieldName);
        return storeFixed(v);
    }
    case Kind::Null:
    case Kind::Slot:
        break;
    }
    return false;
}
