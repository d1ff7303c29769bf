#pragma once

#include "basic_views_export.h"

#include <QDate>
#include <QFont>
#include <QScopedPointer>
#include <QStyledItemDelegate>

class QDataStream;
class QFontMetrics;

class StyledItemDelegatePrivate;

// Texts of the database values (date-times with the exchange's time format, decimals with the system's decimal
// point), date-times that give up their date when the column is narrow, and the quick row-height hint the fast
// views ask for with a rectangle of width -1.
class BASIC_VIEWS_EXPORT StyledItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, StyledItemDelegate)
public:
    explicit StyledItemDelegate(QObject* parent = nullptr);
    ~StyledItemDelegate() override;

    QString displayText(const QVariant& value, const QLocale& locale) const override;
    QString displayElidedText(const QVariant& value, const QLocale& locale, const QFontMetrics& metrics,
        Qt::TextElideMode mode, int width) const;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The date texts of DateTexts, which the column delegates share.
    static QString dateMonthToString(const QDate& date);
    static QString expWeekToString(const QDate& date);
    static QString monthName(int month);

protected:
    StyledItemDelegate(StyledItemDelegatePrivate& dd, QObject* parent);

    // The delegates' private classes form a chain beside the public ones.
    QScopedPointer<StyledItemDelegatePrivate> m_d;

    // The palette group a cell paints with (disabled, inactive or active), and the style's text inset.
    static QPalette::ColorGroup colorGroup(const QStyleOptionViewItem& option);
    static int focusMargin(const QStyleOptionViewItem& option);
    // The colours a cell paints with, for a pixmap cache key. A palette's own cache key cannot serve: every
    // modified copy of a palette gets a new one, so a cell coloured per paint would never be found.
    static void writeColors(QDataStream& out, const QStyleOptionViewItem& option);
};
