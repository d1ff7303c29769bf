#include "delegates/styleditemdelegate.h"

#include <QDataStream>

#include "columns/catalogue/datetexts.h"
#include "core/db/datetime.h"
#include "core/db/digits.h"
#include "core/db/xdecimal.h"

#include <QApplication>
#include <QFontMetrics>

#include <algorithm>

namespace {

// A short date format made of day, month and year numbers and separators ("dd.MM.yyyy", "M/d/yy"), kept per
// thread with the locale it came from: finding the format and reading it on each call is most of the cost.
struct ShortDateFormat
{
    QLocale locale;
    QString format;
    bool numeric = false;

    static const ShortDateFormat& of(const QLocale& locale)
    {
        thread_local ShortDateFormat cached;
        if (cached.format.isEmpty() || !(cached.locale == locale)) {
            cached.locale = locale;
            cached.format = locale.dateFormat(QLocale::ShortFormat);
            static const QString allowed = QStringLiteral("dMy");
            // Latin digits only: a locale with digits of its own writes them its own way.
            cached.numeric = locale.zeroDigit() == QLatin1Char('0')
                && std::all_of(cached.format.begin(), cached.format.end(),
                    [](QChar c) { return !c.isLetter() || allowed.contains(c); });
        }
        return cached;
    }
};

QString shortDate(const QDate& date, const QLocale& locale)
{
    const ShortDateFormat& format = ShortDateFormat::of(locale);
    if (!format.numeric || !date.isValid() || date.year() < 1000 || date.year() > 9999)
        return locale.toString(date, QLocale::ShortFormat);
    const QString& f = format.format;
    QString text(f.size() + 8, Qt::Uninitialized); // a one-letter day or month may take two digits
    QChar* out = text.data();
    for (int i = 0; i < f.size();) {
        const QChar c = f.at(i);
        int run = 1;
        while (i + run < f.size() && f.at(i + run) == c)
            ++run;
        if (c == QLatin1Char('d') && run <= 2)
            Digits::put(out, date.day(), run);
        else if (c == QLatin1Char('M') && run <= 2)
            Digits::put(out, date.month(), run);
        else if (c == QLatin1Char('y') && run == 2)
            Digits::put(out, date.year() % 100, 2);
        else if (c == QLatin1Char('y') && run == 4)
            Digits::put(out, date.year(), 4);
        else if (c.isLetter())
            return locale.toString(date, QLocale::ShortFormat); // day or month names: the locale's own way
        else
            out = std::copy(f.begin() + i, f.begin() + i + run, out);
        i += run;
    }
    text.truncate(int(out - text.constData()));
    return text;
}

// "hh:mm:ss.zzz", the time of day the tables show.
QString timeOfDay(const QTime& time)
{
    QString text(12, Qt::Uninitialized);
    QChar* out = text.data();
    Digits::put(out, time.hour(), 2);
    *out++ = QLatin1Char(':');
    Digits::put(out, time.minute(), 2);
    *out++ = QLatin1Char(':');
    Digits::put(out, time.second(), 2);
    *out++ = QLatin1Char('.');
    Digits::put(out, time.msec(), 3);
    return text;
}

} // namespace

StyledItemDelegate::StyledItemDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{ }

QString StyledItemDelegate::displayText(const QVariant& value, const QLocale& locale) const
{
    const int type = value.userType();
    if (type == QMetaType::QDateTime) {
        const QDateTime moment = value.toDateTime();
        if (!moment.isValid())
            return QString();
        return shortDate(moment.date(), locale) + QLatin1Char(' ') + timeOfDay(moment.time());
    }
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
    if (option.rect.width() == -1) {
        if (m_hintHeight < 0 || !(m_hintFont == option.font)) {
            m_hintFont = option.font;
            m_hintHeight = QFontMetrics(option.font).height();
        }
        return QSize(20, m_hintHeight);
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
