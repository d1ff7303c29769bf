#include "delegates/itemdelegatecolored.h"

ItemDelegateColored::ItemDelegateColored(const QColor& color, QObject* parent)
    : ItemDelegate(parent)
    , m_color(color)
{ }

void ItemDelegateColored::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (option.state & QStyle::State_Selected) {
        ItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem colored = option;
    colored.palette.setColor(QPalette::Base, m_color);
    colored.palette.setColor(QPalette::AlternateBase, m_color);
    colored.backgroundBrush = m_color;
    ItemDelegate::paint(painter, colored, index);
}
