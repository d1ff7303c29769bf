#include "delegates/itemdelegatebuysell.h"
#include "delegates/private/itemdelegatebuysell_p.h"

ItemDelegateBuySell::ItemDelegateBuySell(ViewsColorManager::View view, int sideColumn, QObject* parent)
    : ItemDelegate(*new ItemDelegateBuySellPrivate, parent)
{
    Q_D(ItemDelegateBuySell);
    d->view = view;
    d->sideColumn = sideColumn;
}

ItemDelegateBuySell::~ItemDelegateBuySell() = default;

void ItemDelegateBuySell::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    Q_D(const ItemDelegateBuySell);
    ItemDelegate::initStyleOption(option, index);
    const ViewsColorManager* colors = ViewsColorManager::instance();
    if (!colors || index.data(Qt::BackgroundRole).isValid())
        return;
    const QString side = index.siblingAtColumn(d->sideColumn).data(Qt::EditRole).toString();
    const ViewsColorManager::Color meaning = side.startsWith(QLatin1Char('B')) ? ViewsColorManager::BuyColor
        : side.startsWith(QLatin1Char('S'))                                    ? ViewsColorManager::SellColor
                                            : ViewsColorManager::UnknownOperationColor;
    if (option->state & QStyle::State_Selected) {
        const QColor selection = colors->color(d->view, ViewsColorManager::SelectionRole, meaning);
        if (selection.isValid()) {
            option->palette.setColor(QPalette::Active, QPalette::Highlight, selection);
            option->palette.setColor(QPalette::Inactive, QPalette::Highlight, selection);
        }
        return;
    }
    const QColor background = colors->color(d->view, ViewsColorManager::BackgroundRole, meaning);
    if (background.isValid())
        option->backgroundBrush = background;
}
