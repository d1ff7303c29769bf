#pragma once

#include "core/db/bv_db_export.h"

#include <QDateTime>
#include <QMetaType>

class QDataStream;

// A wall-clock moment of the exchange as 64-bit milliseconds since 1970-01-01 00:00 of that clock.
// It carries no time zone: 10:00:00 in a table is 10:00:00 on every workstation.
class BV_DB_EXPORT datetime
{
public:
    constexpr datetime() noexcept = default;
    constexpr explicit datetime(qint64 msecs) noexcept
        : m_msecs(msecs)
    { }

    // The value's own date and time, whatever its zone.
    static datetime fromQDateTime(const QDateTime& value);
    static datetime fromDate(const QDate& date);
    static datetime currentDateTime();
    // Accepts "dd.MM.yyyy hh:mm:ss[.zzz]", "yyyy-MM-dd hh:mm:ss[.zzz]" and ISO 8601; an invalid datetime otherwise.
    static datetime fromString(const QString& text, bool* ok = nullptr);
    static QString timeNoDateFormat();
    static QString defaultFormat();

    qint64 toMSecs() const { return m_msecs; }
    // In UTC, so that date() and time() are the stored wall clock whatever the local zone skips.
    QDateTime toQDateTime() const;
    QDate date() const;
    QTime time() const;
    QString toString(const QString& format = defaultFormat()) const;
    datetime addMSecs(qint64 msecs) const { return datetime(m_msecs + msecs); }

    int compare(const datetime& other) const
    {
        return m_msecs < other.m_msecs ? -1 : (m_msecs > other.m_msecs ? 1 : 0);
    }
    friend bool operator==(const datetime& a, const datetime& b) { return a.m_msecs == b.m_msecs; }
    friend bool operator!=(const datetime& a, const datetime& b) { return a.m_msecs != b.m_msecs; }
    friend bool operator<(const datetime& a, const datetime& b) { return a.m_msecs < b.m_msecs; }

private:
    qint64 m_msecs = 0;
};

BV_DB_EXPORT QDataStream& operator<<(QDataStream& out, const datetime& value);
BV_DB_EXPORT QDataStream& operator>>(QDataStream& in, datetime& value);

Q_DECLARE_METATYPE(datetime)
Q_DECLARE_TYPEINFO(datetime, Q_PRIMITIVE_TYPE);
