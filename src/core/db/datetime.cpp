#include "core/db/datetime.h"

#include <QDataStream>

#include <atomic>

datetime datetime::fromQDateTime(const QDateTime& value)
{
    if (!value.isValid())
        return datetime();
    return datetime(QDateTime(value.date(), value.time(), Qt::UTC).toMSecsSinceEpoch());
}

datetime datetime::fromDate(const QDate& date)
{
    return fromQDateTime(QDateTime(date, QTime(0, 0)));
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
    static const char* const formats[] = { "dd.MM.yyyy hh:mm:ss.zzz", "dd.MM.yyyy hh:mm:ss", "dd.MM.yyyy",
        "yyyy-MM-dd hh:mm:ss.zzz", "yyyy-MM-dd hh:mm:ss", "yyyy-MM-dd" };
    const QString trimmed = text.trimmed();
    QDateTime parsed;
    for (const char* format : formats) {
        parsed = QDateTime::fromString(trimmed, QLatin1String(format));
        if (parsed.isValid())
            break;
    }
    if (!parsed.isValid())
        parsed = QDateTime::fromString(trimmed, Qt::ISODateWithMs);
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
    const QDateTime utc = QDateTime::fromMSecsSinceEpoch(m_msecs, Qt::UTC);
    return QDateTime(utc.date(), utc.time(), Qt::LocalTime);
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
