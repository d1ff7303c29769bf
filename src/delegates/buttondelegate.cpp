#include "delegates/buttondelegate.h"
#include "delegates/private/buttondelegate_p.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

ButtonDelegate::ButtonDelegate(QAction& action, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_d(new ButtonDelegatePrivate)
{
    Q_D(ButtonDelegate);
    d->action = &action;
}

ButtonDelegate::~ButtonDelegate() = default;

void ButtonDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_D(const ButtonDelegate);
    QStyleOptionButton button;
    button.rect = option.rect;
    button.text = d->action->text();
    button.icon = d->action->icon();
    const QList<QSize> sizes = button.icon.availableSizes();
    if (!sizes.isEmpty())
        button.iconSize = sizes.first();
    button.state = index.data(Qt::DisplayRole).toBool() ? QStyle::State_Enabled : QStyle::State_None;
    button.state |= d->sunken ? QStyle::State_Sunken : QStyle::State_Raised;
    button.palette = option.palette;
    button.fontMetrics = option.fontMetrics;
    QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_PushButton, &button, painter, option.widget);
}

QSize ButtonDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    Q_D(const ButtonDelegate);
    QPushButton button(d->action->icon(), d->action->text());
    return button.sizeHint();
}

bool ButtonDelegate::editorEvent(
    QEvent* event, QAbstractItemModel*, const QStyleOptionViewItem& option, const QModelIndex& index)
{
    Q_D(ButtonDelegate);
    const QEvent::Type type = event->type();
    const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease
        || (type == QEvent::MouseMove && d->sunken);
    if (!mouse) {
        d->sunken = false;
        return false;
    }
    const auto* me = static_cast<QMouseEvent*>(event);
    const bool enabled = index.data(Qt::DisplayRole).toBool();
    if (!enabled || !option.rect.contains(me->pos())) {
        d->sunken = false;
        return true;
    }
    if (type == QEvent::MouseButtonPress) {
        d->sunken = true;
    } else if (type == QEvent::MouseButtonRelease) {
        d->sunken = false;
        d->action->trigger();
    }
    return true;
}

bool ButtonDelegate::isSunken() const
{
    return d_func()->sunken;
}
