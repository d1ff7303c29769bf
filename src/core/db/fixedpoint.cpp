#include "core/db/fixedpoint.h"

namespace FixedPointDetail {

Int128 pow10(int n)
{
    static const auto table = [] {
        struct Table
        {
            Int128 values[39];
        } t;
        t.values[0] = 1;
        for (int i = 1; i < 39; ++i)
            t.values[i] = t.values[i - 1] * 10;
        return t;
    }();
    Q_ASSERT(n >= 0 && n <= 38);
    return table.values[qBound(0, n, 38)];
}

QString magnitudeText(UInt128 magnitude, int scale, QChar point)
{
    QChar buffer[48];
    int pos = 48;
    int written = 0;
    auto put = [&](int digit) {
        buffer[--pos] = QChar(u'0' + digit);
        if (++written == scale)
            buffer[--pos] = point;
    };
    // 128-bit division is a library call per digit; most magnitudes fit 64 bits, where it is a multiplication.
    while (magnitude > std::numeric_limits<quint64>::max()) {
        put(int(magnitude % 10));
        magnitude /= 10;
    }
    quint64 rest = quint64(magnitude);
    do {
        put(int(rest % 10));
        rest /= 10;
    } while (rest != 0 || written < scale + 1);
    return QString(buffer + pos, 48 - pos);
}

Int128 roundDiv(Int128 value, Int128 divisor)
{
    Int128 quotient = value / divisor;
    Int128 remainder = value % divisor;
    if (remainder < 0)
        remainder = -remainder;
    if (remainder >= divisor - remainder)
        quotient += value < 0 ? -1 : 1;
    return quotient;
}

void throwOverflow()
{
    throw QCoreApplication::translate("decimal", "Переполнение при вычислениях с фиксированной точкой");
}

void throwBadScale(int scale)
{
    throw QCoreApplication::translate("decimal", "Недопустимое число знаков после запятой: %1 (допустимо от 0 до %2)")
        .arg(scale)
        .arg(MaxScale);
}

bool parse(QStringView text, Int128& mantissa, int& scale)
{
    text = text.trimmed();
    int i = 0;
    const int n = text.size();
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    Int128 value = 0;
    int fraction = -1; // digits after the point, -1 before the point
    int digits = 0;
    bool roundUp = false;
    bool dropping = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'.' || c == u',') {
            if (fraction >= 0)
                return false;
            fraction = 0;
            continue;
        }
        if (c < u'0' || c > u'9')
            return false;
        ++digits;
        const int digit = c.unicode() - u'0';
        if (dropping)
            continue;
        if (fraction == MaxScale) {
            roundUp = digit >= 5;
            dropping = true;
            continue;
        }
        if (__builtin_mul_overflow(value, Int128(10), &value) || __builtin_add_overflow(value, Int128(digit), &value))
            return false;
        if (fraction >= 0)
            ++fraction;
    }
    if (digits == 0)
        return false;
    if (roundUp && __builtin_add_overflow(value, Int128(1), &value))
        return false;
    mantissa = negative ? -value : value;
    scale = qMax(fraction, 0);
    return true;
}

} // namespace FixedPointDetail
