#pragma once

#include "delegates/itemdelegate.h"

// Paints unselected cells on a fixed colour (a column or window of one meaning).
class BASIC_VIEWS_EXPORT ItemDelegateColored : public ItemDelegate
{
    Q_OBJECT
public:
    explicit ItemDelegateColored(const QColor& color, QObject* parent = nullptr);
    QColor color() const { return m_color; }
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QColor m_color;
};
