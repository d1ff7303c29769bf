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

} // namespace ExportText
