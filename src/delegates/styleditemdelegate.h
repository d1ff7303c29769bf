#pragma once

#include "basic_views_export.h"

#include <QDate>
#include <QFont>
#include <QStyledItemDelegate>

class QDataStream;
class QFontMetrics;

// Texts of the database values (date-times with the exchange's time format, decimals with the system's decimal
// point), date-times that give up their date when the column is narrow, and the quick row-height hint the fast
// views ask for with a rectangle of width -1.
class BASIC_VIEWS_EXPORT StyledItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit StyledItemDelegate(QObject* parent = nullptr);

    QString displayText(const QVariant& value, const QLocale& locale) const override;
    QString displayElidedText(const QVariant& value, const QLocale& locale, const QFontMetrics& metrics,
        Qt::TextElideMode mode, int width) const;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The date texts of DateTexts, which the column delegates share.
    static QString dateMonthToString(const QDate& date);
    static QString expWeekToString(const QDate& date);
    static QString monthName(int month);

protected:
    // The palette group a cell paints with (disabled, inactive or active), and the style's text inset.
    static QPalette::ColorGroup colorGroup(const QStyleOptionViewItem& option);
    static int focusMargin(const QStyleOptionViewItem& option);
    // The colours a cell paints with, for a pixmap cache key. A palette's own cache key cannot serve: every
    // modified copy of a palette gets a new one, so a cell coloured per paint would never be found.
    static void writeColors(QDataStream& out, const QStyleOptionViewItem& option);

private:
    mutable QFont m_hintFont;
    mutable int m_hintHeight = -1;
};
