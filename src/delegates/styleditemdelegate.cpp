#include "delegates/styleditemdelegate.h"
#include "delegates/private/styleditemdelegate_p.h"

#include <QDataStream>

#include "columns/catalogue/datetexts.h"
#include "core/db/datetime.h"
#include "core/db/digits.h"
#include "core/db/xdecimal.h"

#include <QApplication>
#include <QFontMetrics>
#include <QVector>

#include <algorithm>

namespace {

// A short date format made of day, month and year numbers and separators ("dd.MM.yyyy", "M/d/yy"), read once
// into the steps that write it. Kept per thread with the locale it came from (worker threads that find or filter
// keep their own): finding the format and reading it on each call is most of the cost.
struct ShortDateFormat
{
    enum Kind { Day, Month, Year2, Year4, Literal };
    struct Step
    {
        Kind kind;
        int width; // digits at least, or the literal's length
        int from; // the literal's start in the format
    };

    QLocale locale;
    QString format;
    QVector<Step> steps;
    int maxLength = 0; // of the text the steps write
    bool numeric = false; // written by the steps; otherwise by the locale itself

    static const ShortDateFormat& of(const QLocale& locale)
    {
        thread_local ShortDateFormat cached;
        if (cached.format.isEmpty() || !(cached.locale == locale))
            cached.read(locale);
        return cached;
    }

    void read(const QLocale& from)
    {
        locale = from;
        format = from.dateFormat(QLocale::ShortFormat);
        steps.clear();
        maxLength = 0;
        // Latin digits only: a locale with digits of its own writes them its own way.
        numeric = from.zeroDigit() == QLatin1Char('0');
        for (int i = 0; i < format.size() && numeric;) {
            const QChar c = format.at(i);
            int run = 1;
            while (i + run < format.size() && format.at(i + run) == c)
                ++run;
            if (c == QLatin1Char('d') && run <= 2)
                steps.append({ Day, run, i });
            else if (c == QLatin1Char('M') && run <= 2)
                steps.append({ Month, run, i });
            else if (c == QLatin1Char('y') && (run == 2 || run == 4))
                steps.append({ run == 2 ? Year2 : Year4, run, i });
            else if (c.isLetter() || c == QLatin1Char('\''))
                numeric = false; // names of days or months, quoted text: the locale's own way
            else
                steps.append({ Literal, run, i });
            i += run;
            if (numeric)
                maxLength += steps.last().kind == Literal ? run : std::max(run, 2);
        }
    }

    void write(QChar*& out, int year, int month, int day) const
    {
        for (const Step& step : steps) {
            switch (step.kind) {
            case Day:
                Digits::put(out, day, step.width);
                break;
            case Month:
                Digits::put(out, month, step.width);
                break;
            case Year2:
                Digits::put(out, year % 100, 2);
                break;
            case Year4:
                Digits::put(out, year, 4);
                break;
            case Literal:
                out = std::copy(format.begin() + step.from, format.begin() + step.from + step.width, out);
                break;
            }
        }
    }
};

// "hh:mm:ss.zzz", the time of day the tables show.
const int TimeOfDayLength = 12;
const qint64 MSecsPerDay = 86400000;

void putTimeOfDay(QChar*& out, int msecs)
{
    Digits::put(out, msecs / 3600000, 2);
    *out++ = QLatin1Char(':');
    Digits::put(out, msecs / 60000 % 60, 2);
    *out++ = QLatin1Char(':');
    Digits::put(out, msecs / 1000 % 60, 2);
    *out++ = QLatin1Char('.');
    Digits::put(out, msecs % 1000, 3);
}

QString timeOfDay(const QTime& time)
{
    QString text(TimeOfDayLength, Qt::Uninitialized);
    QChar* out = text.data();
    putTimeOfDay(out, time.msecsSinceStartOfDay());
    return text;
}

// The date and the time of day a moment shows.
struct WallClock
{
    int year = 0;
    int month = 0;
    int day = 0;
    int msecs = 0; // since the start of the day
};

// The tables' moments are UTC (datetime::toQDateTime()): their fields follow from the milliseconds by arithmetic,
// where QDateTime goes through a Julian day and its calendar. Days to a Gregorian date as in H. Hinnant's
// civil_from_days; other moments ask QDateTime.
WallClock wallClock(const QDateTime& moment)
{
    WallClock clock;
    if (moment.timeSpec() != Qt::UTC) {
        moment.date().getDate(&clock.year, &clock.month, &clock.day);
        clock.msecs = moment.time().msecsSinceStartOfDay();
        return clock;
    }
    const qint64 msecs = moment.toMSecsSinceEpoch();
    qint64 days = msecs / MSecsPerDay;
    qint64 rest = msecs % MSecsPerDay;
    if (rest < 0) {
        rest += MSecsPerDay;
        --days;
    }
    clock.msecs = int(rest);
    days += 719468; // from 1970-01-01 to 0000-03-01
    const qint64 era = (days >= 0 ? days : days - 146096) / 146097;
    const qint64 dayOfEra = days - era * 146097;
    const qint64 yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 monthFromMarch = (5 * dayOfYear + 2) / 153;
    clock.day = int(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    clock.month = int(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    clock.year = int(yearOfEra + era * 400 + (clock.month <= 2 ? 1 : 0));
    return clock;
}

// The locale's short date, a space and the time of day, in one allocation when the steps can write the date.
QString dateTimeText(const QDateTime& moment, const QLocale& locale)
{
    const WallClock clock = wallClock(moment);
    const ShortDateFormat& format = ShortDateFormat::of(locale);
    if (!format.numeric || clock.year < 1000 || clock.year > 9999)
        return locale.toString(moment.date(), QLocale::ShortFormat) + QLatin1Char(' ') + timeOfDay(moment.time());
    QString text(format.maxLength + 1 + TimeOfDayLength, Qt::Uninitialized);
    QChar* out = text.data();
    format.write(out, clock.year, clock.month, clock.day);
    *out++ = QLatin1Char(' ');
    putTimeOfDay(out, clock.msecs);
    text.truncate(int(out - text.constData()));
    return text;
}

// Whole numbers as QLocale::toString() writes them: its minus sign, its group separator between every three
// digits unless the locale omits it. Kept per thread with its locale; a locale with digits of its own is left to
// QLocale.
struct IntegerFormat
{
    QLocale locale;
    bool read = false;
    bool latin = false;
    bool grouped = false;
    QChar group;
    QChar minus;

    static const IntegerFormat& of(const QLocale& locale)
    {
        thread_local IntegerFormat cached;
        if (!cached.read || !(cached.locale == locale)) {
            cached.locale = locale;
            cached.read = true;
            cached.latin = locale.zeroDigit() == QLatin1Char('0');
            cached.grouped = !(locale.numberOptions() & QLocale::OmitGroupSeparator);
            cached.group = locale.groupSeparator();
            cached.minus = locale.negativeSign();
        }
        return cached;
    }
};

QString integerText(qint64 value, const QLocale& locale)
{
    const IntegerFormat& format = IntegerFormat::of(locale);
    if (!format.latin)
        return locale.toString(value);
    quint64 magnitude = value < 0 ? 0 - quint64(value) : quint64(value);
    QChar text[32]; // 19 digits, 6 separators and a sign
    int at = 32;
    int digits = 0;
    do {
        if (format.grouped && digits > 0 && digits % 3 == 0)
            text[--at] = format.group;
        text[--at] = QLatin1Char(char('0' + magnitude % 10));
        magnitude /= 10;
        ++digits;
    } while (magnitude != 0);
    if (value < 0)
        text[--at] = format.minus;
    return QString(text + at, 32 - at);
}

} // namespace

StyledItemDelegate::StyledItemDelegate(QObject* parent)
    : StyledItemDelegate(*new StyledItemDelegatePrivate, parent)
{ }

StyledItemDelegate::StyledItemDelegate(StyledItemDelegatePrivate& dd, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_d(&dd)
{ }

StyledItemDelegate::~StyledItemDelegate() = default;

QString StyledItemDelegate::displayText(const QVariant& value, const QLocale& locale) const
{
    const int type = value.userType();
    if (type == QMetaType::QString) {
        // Most cells are texts: shared as they are, with line breaks shown as line separators as Qt's item delegate
        // shows them, without its way through every kind of value.
        QString text = *static_cast<const QString*>(value.constData());
        text.replace(QLatin1Char('\n'), QChar::LineSeparator);
        return text;
    }
    if (type == QMetaType::QDateTime) {
        const QDateTime moment = value.toDateTime();
        return moment.isValid() ? dateTimeText(moment, locale) : QString();
    }
    if (type == QMetaType::LongLong || type == QMetaType::Int)
        return integerText(value.toLongLong(), locale);
    if (type == qMetaTypeId<decimal>())
        return value.value<decimal>().toSystemString();
    if (type == qMetaTypeId<xdecimal>())
        return value.value<xdecimal>().toSystemString();
    return QStyledItemDelegate::displayText(value, locale);
}

QString StyledItemDelegate::displayElidedText(
    const QVariant& value, const QLocale& locale, const QFontMetrics& metrics, Qt::TextElideMode mode, int width) const
{
    QString text;
    if (value.userType() == QMetaType::QDateTime) {
        // A full date and time of the widest kind tells whether the date fits.
        static const QDateTime reference(QDate(2013, 12, 30), QTime(23, 50, 50, 105));
        const QString widest = displayText(reference, locale);
        text = metrics.horizontalAdvance(widest) > width
            ? value.toDateTime().time().toString(datetime::timeNoDateFormat())
            : displayText(value, locale);
    } else {
        text = displayText(value, locale);
    }
    return metrics.elidedText(text, mode, width);
}

QSize StyledItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_D(const StyledItemDelegate);
    if (option.rect.width() == -1) {
        if (d->hintHeight < 0 || !(d->hintFont == option.font)) {
            d->hintFont = option.font;
            d->hintHeight = QFontMetrics(option.font).height();
        }
        return QSize(20, d->hintHeight);
    }
    return QStyledItemDelegate::sizeHint(option, index);
}

QPalette::ColorGroup StyledItemDelegate::colorGroup(const QStyleOptionViewItem& option)
{
    if (!(option.state & QStyle::State_Enabled))
        return QPalette::Disabled;
    return (option.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
}

void StyledItemDelegate::writeColors(QDataStream& out, const QStyleOptionViewItem& option)
{
    const QPalette::ColorGroup group = colorGroup(option);
    for (QPalette::ColorRole role : { QPalette::Base, QPalette::AlternateBase, QPalette::Highlight, QPalette::Text,
             QPalette::HighlightedText, QPalette::Mid })
        out << option.palette.color(group, role).rgba();
    out << option.palette.color(QPalette::Mid).rgba(); // the frame's, whatever the group
}

int StyledItemDelegate::focusMargin(const QStyleOptionViewItem& option)
{
    const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    return style->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, option.widget) + 1;
}

QString StyledItemDelegate::monthName(int month)
{
    return DateTexts::monthName(month);
}

QString StyledItemDelegate::dateMonthToString(const QDate& date)
{
    return DateTexts::dateMonthToString(date);
}

QString StyledItemDelegate::expWeekToString(const QDate& date)
{
    return DateTexts::expWeekToString(date);
}
