#include "export/exporttext.h"

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
    while (pos < text.size() && pos - start < maxDigits && text.at(pos).isDigit())
        value = value * 10 + text.at(pos++).digitValue();
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
QDateTime readDateTime(QStringView text)
{
    int pos = 0;
    const int day = readNumber(text, pos, 2);
    const int month = skip(text, pos, QLatin1Char('.')) ? readNumber(text, pos, 2) : -1;
    const int year = skip(text, pos, QLatin1Char('.')) ? readNumber(text, pos, 4) : -1;
    const QDate date(year, month, day);
    if (year < 0 || !date.isValid())
        return QDateTime();
    if (pos == text.size())
        return QDateTime(date, QTime(0, 0), Qt::UTC);
    int parts[4] = { -1, -1, -1, -1 };
    const int widths[4] = { 2, 2, 2, 3 };
    if (!skip(text, pos, QLatin1Char(' ')))
        return QDateTime();
    for (int i = 0; i < 4; ++i) {
        if (i > 0 && !skip(text, pos, QLatin1Char(':')))
            return QDateTime();
        parts[i] = readNumber(text, pos, widths[i]);
    }
    const QTime time(parts[0], parts[1], parts[2], parts[3]);
    if (pos != text.size() || parts[3] < 0 || !time.isValid())
        return QDateTime();
    return QDateTime(date, time, Qt::UTC);
}

} // namespace ExportText
