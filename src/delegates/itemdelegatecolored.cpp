#include "delegates/itemdelegatecolored.h"
#include "delegates/private/itemdelegatecolored_p.h"

ItemDelegateColored::ItemDelegateColored(const QColor& color, QObject* parent)
    : ItemDelegate(*new ItemDelegateColoredPrivate, parent)
{
    Q_D(ItemDelegateColored);
    d->color = color;
}

ItemDelegateColored::~ItemDelegateColored() = default;

void ItemDelegateColored::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_D(const ItemDelegateColored);
    if (option.state & QStyle::State_Selected) {
        ItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem colored = option;
    colored.palette.setColor(QPalette::Base, d->color);
    colored.palette.setColor(QPalette::AlternateBase, d->color);
    colored.backgroundBrush = d->color;
    ItemDelegate::paint(painter, colored, index);
}

QColor ItemDelegateColored::color() const
{
    return d_func()->color;
}
