#pragma once

#include "basic_views_export.h"

#include <QCoreApplication>
#include <QDate>

// Month and expiry-week texts of dates, shared by the column delegates (on worker threads) and the cell painters.
class BASIC_VIEWS_EXPORT DateTexts
{
    Q_DECLARE_TR_FUNCTIONS(DateTexts)
public:
    // "январь".."декабрь"; "нулябрь" for month 0 (an invalid date); empty outside 0..12.
    static QString monthName(int month);
    static QString dateMonthToString(const QDate& date);
    // The ISO week number: "21st week", "12th week", ...
    static QString expWeekToString(const QDate& date);
};
