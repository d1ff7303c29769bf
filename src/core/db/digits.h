#pragma once

#include <QChar>

namespace Digits {

// Writes `value` (not negative) with at least `width` digits (at most 10), zeros in front, at `out` and advances
// it: the numbers of dates and times, written without a format to read. Two digits at a time from a table: cells
// and exports write millions of them.
inline void put(QChar*& out, int value, int width)
{
    static constexpr char pairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                    "8081828384858687888990919293949596979899";
    unsigned rest = unsigned(value);
    int length = 1;
    for (unsigned v = rest; v >= 10; v /= 10)
        ++length;
    if (length < width)
        length = width < 10 ? width : 10;
    QChar* const start = out;
    QChar* at = out + length;
    out = at;
    while (rest >= 100) {
        const unsigned pair = rest % 100 * 2;
        rest /= 100;
        *--at = QLatin1Char(pairs[pair + 1]);
        *--at = QLatin1Char(pairs[pair]);
    }
    if (rest >= 10) {
        *--at = QLatin1Char(pairs[rest * 2 + 1]);
        *--at = QLatin1Char(pairs[rest * 2]);
    } else {
        *--at = QLatin1Char(char('0' + rest));
    }
    while (at > start)
        *--at = QLatin1Char('0');
}

} // namespace Digits
