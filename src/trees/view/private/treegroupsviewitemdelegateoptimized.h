#pragma once

#include "delegates/itemdelegate.h"

// The cells of a grouped tree's element rows, all of one fixed height: the view measures it once per model
// reset, so no row is asked for its size while the tree scrolls.
class BASIC_VIEWS_EXPORT TreeGroupsViewItemDelegateOptimized : public ItemDelegate
{
    Q_OBJECT
public:
    explicit TreeGroupsViewItemDelegateOptimized(QObject* parent = nullptr);

    // 0: the cell's own size hint.
    void setRowHeight(int height) { m_rowHeight = height; }
    int rowHeight() const { return m_rowHeight; }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int m_rowHeight = 0;
};
