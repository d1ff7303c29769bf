#include "export/private/exporttext.h"

#include "core/db/datetime.h"
#include "core/db/digits.h"

#include <QDateTime>

namespace {

using Digits::put;

void putDate(QChar*& out, const QDate& date, ExportText::DateOrder order)
{
    if (order == ExportText::DateOrder::Compact) {
        put(out, date.year(), 4);
        put(out, date.month(), 2);
        put(out, date.day(), 2);
        return;
    }
    put(out, date.day(), 2);
    *out++ = QLatin1Char('.');
    put(out, date.month(), 2);
    *out++ = QLatin1Char('.');
    put(out, date.year(), 4);
}

} // namespace

namespace ExportText {

QString date(const QDate& date, DateOrder order)
{
    if (!date.isValid())
        return QString();
    QString text(16, Qt::Uninitialized);
    QChar* out = text.data();
    putDate(out, date, order);
    text.truncate(int(out - text.constData()));
    return text;
}

QString dateTime(const QDateTime& moment, bool padded, QChar msecSeparator)
{
    if (!moment.isValid())
        return QString();
    const QDate d = moment.date();
    const QTime t = moment.time();
    QString text(32, Qt::Uninitialized);
    QChar* out = text.data();
    putDate(out, d, DateOrder::DayFirst);
    *out++ = QLatin1Char(' ');
    const int width = padded ? 2 : 1;
    put(out, t.hour(), width);
    *out++ = QLatin1Char(':');
    put(out, t.minute(), width);
    *out++ = QLatin1Char(':');
    put(out, t.second(), width);
    *out++ = msecSeparator;
    put(out, t.msec(), 3);
    text.truncate(int(out - text.constData()));
    return text;
}

namespace {

// Digits at `pos` up to `maxDigits` of them; -1 when there is none. Moves `pos` past them.
int readNumber(QStringView text, int& pos, int maxDigits)
{
    int value = 0;
    const int start = pos;
    for (; pos < text.size() && pos - start < maxDigits; ++pos) {
        // ASCII digits without a look into the Unicode tables; other digits as Qt reads them.
        const QChar c = text.at(pos);
        const uint ascii = uint(c.unicode()) - uint('0');
        const int digit = ascii < 10u ? int(ascii) : (c.isDigit() ? c.digitValue() : -1);
        if (digit < 0)
            break;
        value = value * 10 + digit;
    }
    return pos == start ? -1 : value;
}

bool skip(QStringView text, int& pos, QChar separator)
{
    if (pos >= text.size() || text.at(pos) != separator)
        return false;
    ++pos;
    return true;
}

} // namespace

// Read by hand: QDateTime::fromString() parses its pattern for every cell of a million-row import.
bool readMoment(QStringView text, datetime& moment)
{
    int pos = 0;
    const int day = readNumber(text, pos, 2);
    const int month = skip(text, pos, QLatin1Char('.')) ? readNumber(text, pos, 2) : -1;
    const int year = skip(text, pos, QLatin1Char('.')) ? readNumber(text, pos, 4) : -1;
    const QDate date(year, month, day);
    if (year < 0 || !date.isValid())
        return false;
    QTime time(0, 0);
    if (pos < text.size()) {
        int parts[4] = { -1, -1, -1, -1 };
        const int widths[4] = { 2, 2, 2, 3 };
        if (!skip(text, pos, QLatin1Char(' ')))
            return false;
        for (int i = 0; i < 4; ++i) {
            if (i > 0 && !skip(text, pos, QLatin1Char(':')))
                return false;
            parts[i] = readNumber(text, pos, widths[i]);
        }
        time = QTime(parts[0], parts[1], parts[2], parts[3]);
        if (pos != text.size() || parts[3] < 0 || !time.isValid())
            return false;
    }
    // The wall time in milliseconds since 1970, without building a QDateTime.
    constexpr qint64 JulianDayOf1970 = 2440588;
    constexpr qint64 MSecsPerDay = 86400000;
    moment = datetime((date.toJulianDay() - JulianDayOf1970) * MSecsPerDay + time.msecsSinceStartOfDay());
    return true;
}

QDateTime readDateTime(QStringView text)
{
    datetime moment;
    return readMoment(text, moment) ? moment.toQDateTime() : QDateTime();
}

} // namespace ExportText
