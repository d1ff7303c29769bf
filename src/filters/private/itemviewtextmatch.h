#pragma once

#include "basic_views_export.h"

#include <QLocale>
#include <QPointer>
#include <QString>
#include <QStringMatcher>
#include <QVariant>
#include <QVector>

class QAbstractItemView;
class QStyledItemDelegate;

// Whether a cell shows a searched text: the cell's text is what the column's styled delegate (else the view's)
// would show, or the value's string form without one, in the view's locale; it matches when it contains the
// text, ignoring case. Numbers are compared without spaces and group separators on both sides, so "1 250 000"
// finds a cell showing "1250000" and the other way round.
//
// Made on the GUI thread from a view, it keeps what it needs of it (the delegates, weakly, and the locale):
// acceptsData() only reads and may run on worker threads while the GUI thread waits for them.
class BASIC_VIEWS_EXPORT ItemViewTextMatch
{
public:
    ItemViewTextMatch() = default;
    ItemViewTextMatch(const QAbstractItemView* view, const QString& text);

    const QString& text() const { return m_text; }
    bool isEmpty() const { return m_text.isEmpty(); }
    QString shownText(const QVariant& value, int column) const;
    bool acceptsData(const QVariant& value, int column) const;

    static bool isNumber(const QVariant& value);
    // The text without spaces (plain, no-break and narrow no-break) and the locale's group separator.
    static QString withoutGroupSeparators(const QString& text, const QLocale& locale);

private:
    const QStyledItemDelegate* delegateFor(int column) const;

    QString m_text;
    // Made once: a matcher's table is only read, so worker threads share it.
    QStringMatcher m_textMatcher;
    QStringMatcher m_numberMatcher;
    QLocale m_locale;
    QVector<QPointer<const QStyledItemDelegate>> m_columnDelegates;
    QPointer<const QStyledItemDelegate> m_viewDelegate;
};
