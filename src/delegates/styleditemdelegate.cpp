#include "delegates/styleditemdelegate.h"

#include <QDataStream>

#include "core/db/datetime.h"
#include "core/db/xdecimal.h"

#include <QApplication>
#include <QFontMetrics>

StyledItemDelegate::StyledItemDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{ }

QString StyledItemDelegate::displayText(const QVariant& value, const QLocale& locale) const
{
    const int type = value.userType();
    if (type == QMetaType::QDateTime) {
        const QDateTime moment = value.toDateTime();
        return locale.toString(moment.date(), QLocale::ShortFormat) + QLatin1Char(' ')
            + moment.time().toString(datetime::timeNoDateFormat());
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
    static const char* const names[] = { QT_TRANSLATE_NOOP("StyledItemDelegate", "нулябрь"),
        QT_TRANSLATE_NOOP("StyledItemDelegate", "январь"), QT_TRANSLATE_NOOP("StyledItemDelegate", "февраль"),
        QT_TRANSLATE_NOOP("StyledItemDelegate", "март"), QT_TRANSLATE_NOOP("StyledItemDelegate", "апрель"),
        QT_TRANSLATE_NOOP("StyledItemDelegate", "май"), QT_TRANSLATE_NOOP("StyledItemDelegate", "июнь"),
        QT_TRANSLATE_NOOP("StyledItemDelegate", "июль"), QT_TRANSLATE_NOOP("StyledItemDelegate", "август"),
        QT_TRANSLATE_NOOP("StyledItemDelegate", "сентябрь"), QT_TRANSLATE_NOOP("StyledItemDelegate", "октябрь"),
        QT_TRANSLATE_NOOP("StyledItemDelegate", "ноябрь"), QT_TRANSLATE_NOOP("StyledItemDelegate", "декабрь") };
    if (month < 0 || month > 12)
        return QString();
    return tr(names[month]);
}

QString StyledItemDelegate::dateMonthToString(const QDate& date)
{
    return monthName(date.isValid() ? date.month() : 0);
}

QString StyledItemDelegate::expWeekToString(const QDate& date)
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
