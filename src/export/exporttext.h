#pragma once

#include <QString>

class QDate;
class QDateTime;

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

} // namespace ExportText
