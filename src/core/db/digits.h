#pragma once

#include <QChar>

namespace Digits {

// Writes `value` (not negative) with at least `width` digits, zeros in front, at `out` and advances it: the
// numbers of dates and times, written without a format to read.
inline void put(QChar*& out, int value, int width)
{
    QChar digits[10];
    int n = 0;
    do {
        digits[n++] = QLatin1Char(char('0' + value % 10));
        value /= 10;
    } while (value > 0 && n < 10);
    while (n < width && n < 10)
        digits[n++] = QLatin1Char('0');
    while (n > 0)
        *out++ = digits[--n];
}

} // namespace Digits
