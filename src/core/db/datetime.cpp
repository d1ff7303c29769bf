#include "core/db/datetime.h"

#include <QDataStream>

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
    return fromQDateTime(QDateTime::currentDateTime());
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
