#include "columns/catalogue/datetexts.h"

QString DateTexts::monthName(int month)
{
    static const char* const names[] = { QT_TRANSLATE_NOOP("DateTexts", "нулябрь"),
        QT_TRANSLATE_NOOP("DateTexts", "январь"), QT_TRANSLATE_NOOP("DateTexts", "февраль"),
        QT_TRANSLATE_NOOP("DateTexts", "март"), QT_TRANSLATE_NOOP("DateTexts", "апрель"),
        QT_TRANSLATE_NOOP("DateTexts", "май"), QT_TRANSLATE_NOOP("DateTexts", "июнь"),
        QT_TRANSLATE_NOOP("DateTexts", "июль"), QT_TRANSLATE_NOOP("DateTexts", "август"),
        QT_TRANSLATE_NOOP("DateTexts", "сентябрь"), QT_TRANSLATE_NOOP("DateTexts", "октябрь"),
        QT_TRANSLATE_NOOP("DateTexts", "ноябрь"), QT_TRANSLATE_NOOP("DateTexts", "декабрь") };
    if (month < 0 || month > 12)
        return QString();
    return tr(names[month]);
}

QString DateTexts::dateMonthToString(const QDate& date)
{
    return monthName(date.isValid() ? date.month() : 0);
}

QString DateTexts::expWeekToString(const QDate& date)
{
    const int week = date.weekNumber();
    const int teens = week % 100;
    if (teens >= 11 && teens <= 19)
        return tr("%1th week").arg(week);
    switch (week % 10) {
    case 1:
        return tr("%1st week").arg(week);
    case 2:
        return tr("%1nd week").arg(week);
    case 3:
        return tr("%1rd week").arg(week);
    default:
        return tr("%1th week").arg(week);
    }
}
