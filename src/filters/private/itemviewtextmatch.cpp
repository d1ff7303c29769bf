#include "filters/private/itemviewtextmatch.h"

#include "core/db/decimal.h"
#include "core/db/xdecimal.h"

#include <QAbstractItemView>
#include <QStyledItemDelegate>

#include <algorithm>

ItemViewTextMatch::ItemViewTextMatch(const QAbstractItemView* view, const QString& text)
    : m_text(text)
    , m_textMatcher(text, Qt::CaseInsensitive)
{
    if (!view)
        return;
    m_locale = view->locale();
    m_numberMatcher = QStringMatcher(withoutGroupSeparators(text, m_locale), Qt::CaseInsensitive);
    m_viewDelegate = qobject_cast<const QStyledItemDelegate*>(view->itemDelegate());
    const int columns = view->model() ? view->model()->columnCount() : 0;
    m_columnDelegates.resize(columns);
    for (int column = 0; column < columns; ++column)
        m_columnDelegates[column] = qobject_cast<const QStyledItemDelegate*>(view->itemDelegateForColumn(column));
}

const QStyledItemDelegate* ItemViewTextMatch::delegateFor(int column) const
{
    if (column >= 0 && column < m_columnDelegates.size() && m_columnDelegates.at(column))
        return m_columnDelegates.at(column).data();
    return m_viewDelegate.data();
}

QString ItemViewTextMatch::shownText(const QVariant& value, int column) const
{
    if (const QStyledItemDelegate* delegate = delegateFor(column))
        return delegate->displayText(value, m_locale);
    return value.toString();
}

bool ItemViewTextMatch::acceptsData(const QVariant& value, int column) const
{
    if (m_text.isEmpty() || !value.isValid())
        return false;
    if (isNumber(value))
        return m_numberMatcher.indexIn(withoutGroupSeparators(shownText(value, column), m_locale)) >= 0;
    return m_textMatcher.indexIn(shownText(value, column)) >= 0;
}

bool ItemViewTextMatch::isNumber(const QVariant& value)
{
    switch (value.userType()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return value.userType() == qMetaTypeId<decimal>() || value.userType() == qMetaTypeId<xdecimal>();
    }
}

QString ItemViewTextMatch::withoutGroupSeparators(const QString& text, const QLocale& locale)
{
    const QChar group = locale.groupSeparator();
    auto separator
        = [group](QChar c) { return c == QLatin1Char(' ') || c == QChar(0x00A0) || c == QChar(0x202F) || c == group; };
    // Most cells have none: hand the text back without a copy.
    if (std::none_of(text.begin(), text.end(), separator))
        return text;
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (!separator(c))
            result.append(c);
    }
    return result;
}
