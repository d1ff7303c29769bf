#pragma once

#include "basic_views_export.h"

#include <QString>
#include <QStringView>

class QDate;
class QDateTime;
class datetime;

// The fixed date and time forms of the export formats, written digit by digit: QDateTime::toString() parses
// its pattern and goes through the locale for every cell, which a million-row export cannot afford.
namespace ExportText {

enum class DateOrder {
    DayFirst, // "dd.MM.yyyy"
    Compact // "yyyyMMdd"
};

// An invalid date or moment gives an empty text, as the Qt patterns do.
QString date(const QDate& date, DateOrder order);
// "dd.MM.yyyy" and the time with ':' between its parts, then `msecSeparator` and three digits of milliseconds;
// hours, minutes and seconds take two digits when padded, as many as they need otherwise.
QString dateTime(const QDateTime& moment, bool padded, QChar msecSeparator);
// The inverse for the CSV form: "dd.MM.yyyy h:m:s:zzz" (padded or not) or a date alone "dd.MM.yyyy", read as a
// UTC wall time like datetime::fromString(); an invalid moment for any other text.
BASIC_VIEWS_EXPORT QDateTime readDateTime(QStringView text);
// The same straight to the stored form; false for any other text.
BASIC_VIEWS_EXPORT bool readMoment(QStringView text, datetime& moment);

} // namespace ExportText
