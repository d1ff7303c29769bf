#pragma once

#include <QScopedPointer>

#include "delegates/itemdelegate.h"
#include "delegates/viewscolormanager.h"

class ItemDelegateBuySellPrivate;

// Paints every cell of a row on its side's colour from a window kind's colours: a buy on the buy colour, a sell
// on the sell colour, anything else on the unknown operation's; a selected row takes the side's selection colour.
// A cell with a background of its own keeps it. The colours are read at each paint, so a changed colour table
// shows at the next repaint.
class BASIC_VIEWS_EXPORT ItemDelegateBuySell : public ItemDelegate
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, ItemDelegateBuySell)
public:
    // `sideColumn` is the model column whose edit text starts with 'B' for a buy and 'S' for a sell.
    ItemDelegateBuySell(ViewsColorManager::View view, int sideColumn, QObject* parent = nullptr);
    ~ItemDelegateBuySell() override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
