#pragma once

#include <QScopedPointer>

#include "delegates/itemdelegate.h"

class ItemDelegateColoredPrivate;

// Paints unselected cells on a fixed colour (a column or window of one meaning).
class BASIC_VIEWS_EXPORT ItemDelegateColored : public ItemDelegate
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, ItemDelegateColored)
public:
    explicit ItemDelegateColored(const QColor& color, QObject* parent = nullptr);
    ~ItemDelegateColored() override;
    QColor color() const;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
