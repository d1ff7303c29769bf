#include "core/db/datetime.h"

#include <QDataStream>

#include <algorithm>
#include <atomic>

datetime datetime::fromQDateTime(const QDateTime& value)
{
    if (!value.isValid())
        return datetime();
    return datetime(QDateTime(value.date(), value.time(), Qt::UTC).toMSecsSinceEpoch());
}

datetime datetime::fromDate(const QDate& date)
{
    // Midnight of the wall clock, with no zone that could skip it.
    return date.isValid() ? datetime(QDateTime(date, QTime(0, 0), Qt::UTC).toMSecsSinceEpoch()) : datetime();
}

datetime datetime::currentDateTime()
{
    // QDateTime::currentDateTime() asks the C library for the zone on every call (tzset re-reads the zone file),
    // which the feed pays on every change. The clock's offset to UTC only changes on the hour (daylight saving),
    // so it is looked up once a minute, at the turn of the minute, and kept with the minute it holds for in one
    // word that every thread reads without a lock.
    static std::atomic<quint64> cached { 0 };
    const qint64 utc = QDateTime::currentMSecsSinceEpoch();
    const quint64 minute = quint64(utc / 60000);
    quint64 word = cached.load(std::memory_order_relaxed);
    if ((word >> 32) != minute) {
        const qint32 offset = QDateTime::fromMSecsSinceEpoch(utc, Qt::LocalTime).offsetFromUtc();
        word = (minute << 32) | quint32(offset);
        cached.store(word, std::memory_order_relaxed);
    }
    return datetime(utc + qint64(qint32(quint32(word))) * 1000);
}

datetime datetime::fromString(const QString& text, bool* ok)
{
    // Date and time are read apart: QDateTime would read them in the local zone, where a time of the hour skipped
    // by daylight saving does not exist.
    static const char* const dateFormats[] = { "dd.MM.yyyy", "yyyy-MM-dd" };
    static const char* const timeFormats[] = { "hh:mm:ss.zzz", "hh:mm:ss" };
    const QString trimmed = text.trimmed();
    const auto separator = std::find_if(
        trimmed.cbegin(), trimmed.cend(), [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('T'); });
    const int gap = separator == trimmed.cend() ? -1 : int(separator - trimmed.cbegin());
    const QString dateText = gap < 0 ? trimmed : trimmed.left(gap);
    const QString timeText = gap < 0 ? QString() : trimmed.mid(gap + 1);
    QDate date;
    for (const char* format : dateFormats) {
        if ((date = QDate::fromString(dateText, QLatin1String(format))).isValid())
            break;
    }
    QTime time(0, 0);
    if (date.isValid() && !timeText.isEmpty()) {
        time = QTime();
        for (const char* format : timeFormats) {
            if ((time = QTime::fromString(timeText, QLatin1String(format))).isValid())
                break;
        }
    }
    QDateTime parsed = date.isValid() && time.isValid() ? QDateTime(date, time, Qt::UTC) : QDateTime();
    if (!parsed.isValid()) {
        // The other ISO forms (minutes only, a fraction of any length, 24:00). Without a zone of its own the text
        // is a wall-clock value like the rest, read as UTC, never in the local zone.
        const bool zoned = timeText.endsWith(QLatin1Char('Z')) || timeText.contains(QLatin1Char('+'))
            || timeText.contains(QLatin1Char('-'));
        parsed = QDateTime::fromString(zoned ? trimmed : trimmed + QLatin1Char('Z'), Qt::ISODateWithMs);
    }
    if (ok)
        *ok = parsed.isValid();
    return fromQDateTime(parsed);
}

QString datetime::timeNoDateFormat()
{
    return QStringLiteral("hh:mm:ss.zzz");
}

QString datetime::defaultFormat()
{
    return QStringLiteral("dd.MM.yyyy hh:mm:ss.zzz");
}

QDateTime datetime::toQDateTime() const
{
    // A fixed spec: every stored wall-clock value has one, also where the local zone skips it.
    return QDateTime::fromMSecsSinceEpoch(m_msecs, Qt::UTC);
}

QDate datetime::date() const
{
    return QDateTime::fromMSecsSinceEpoch(m_msecs, Qt::UTC).date();
}

QTime datetime::time() const
{
    return QDateTime::fromMSecsSinceEpoch(m_msecs, Qt::UTC).time();
}

QString datetime::toString(const QString& format) const
{
    return QDateTime::fromMSecsSinceEpoch(m_msecs, Qt::UTC).toString(format);
}

QDataStream& operator<<(QDataStream& out, const datetime& value)
{
    return out << value.toMSecs();
}

QDataStream& operator>>(QDataStream& in, datetime& value)
{
    qint64 msecs = 0;
    in >> msecs;
    value = datetime(msecs);
    return in;
}
