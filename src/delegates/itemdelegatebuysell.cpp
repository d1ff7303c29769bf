#include "delegates/itemdelegatebuysell.h"

ItemDelegateBuySell::ItemDelegateBuySell(ViewsColorManager::View view, int sideColumn, QObject* parent)
    : ItemDelegate(parent)
    , m_view(view)
    , m_sideColumn(sideColumn)
{ }

void ItemDelegateBuySell::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    ItemDelegate::initStyleOption(option, index);
    const ViewsColorManager* colors = ViewsColorManager::instance();
    if (!colors || index.data(Qt::BackgroundRole).isValid())
        return;
    const QString side = index.siblingAtColumn(m_sideColumn).data(Qt::EditRole).toString();
    const ViewsColorManager::Color meaning = side.startsWith(QLatin1Char('B')) ? ViewsColorManager::BuyColor
        : side.startsWith(QLatin1Char('S'))                                    ? ViewsColorManager::SellColor
                                            : ViewsColorManager::UnknownOperationColor;
    if (option->state & QStyle::State_Selected) {
        const QColor selection = colors->color(m_view, ViewsColorManager::SelectionRole, meaning);
        if (selection.isValid()) {
            option->palette.setColor(QPalette::Active, QPalette::Highlight, selection);
            option->palette.setColor(QPalette::Inactive, QPalette::Highlight, selection);
        }
        return;
    }
    const QColor background = colors->color(m_view, ViewsColorManager::BackgroundRole, meaning);
    if (background.isValid())
        option->backgroundBrush = background;
}
