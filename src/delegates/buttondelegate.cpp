#include "delegates/buttondelegate.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

ButtonDelegate::ButtonDelegate(QAction& action, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_action(action)
{ }

void ButtonDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionButton button;
    button.rect = option.rect;
    button.text = m_action.text();
    button.icon = m_action.icon();
    const QList<QSize> sizes = button.icon.availableSizes();
    if (!sizes.isEmpty())
        button.iconSize = sizes.first();
    button.state = index.data(Qt::DisplayRole).toBool() ? QStyle::State_Enabled : QStyle::State_None;
    button.state |= m_sunken ? QStyle::State_Sunken : QStyle::State_Raised;
    button.palette = option.palette;
    button.fontMetrics = option.fontMetrics;
    QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_PushButton, &button, painter, option.widget);
}

QSize ButtonDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    QPushButton button(m_action.icon(), m_action.text());
    return button.sizeHint();
}

bool ButtonDelegate::editorEvent(
    QEvent* event, QAbstractItemModel*, const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const QEvent::Type type = event->type();
    const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease
        || (type == QEvent::MouseMove && m_sunken);
    if (!mouse) {
        m_sunken = false;
        return false;
    }
    const auto* me = static_cast<QMouseEvent*>(event);
    const bool enabled = index.data(Qt::DisplayRole).toBool();
    if (!enabled || !option.rect.contains(me->pos())) {
        m_sunken = false;
        return true;
    }
    if (type == QEvent::MouseButtonPress) {
        m_sunken = true;
    } else if (type == QEvent::MouseButtonRelease) {
        m_sunken = false;
        m_action.trigger();
    }
    return true;
}
