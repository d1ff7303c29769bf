#pragma once

#include "trees/view/private/treegroupsviewitemdelegateoptimized.h"

#include <QRect>
#include <QVector>

class TreeGroupsView;

// The group rows of a grouped view: a row of level L shows the visible columns of level L (the view's column
// set) side by side as segments of their own widths, each cell painted by its column's own delegate; a single
// visible column takes the whole row. A mouse event on a segment goes to the delegate of the cell of the group's
// first element in that column, so clickable cells behave alike in group and element rows.
class BASIC_VIEWS_EXPORT TreeGroupsViewGroupItemDelegate : public TreeGroupsViewItemDelegateOptimized
{
    Q_OBJECT
public:
    struct Segment
    {
        int column = -1;
        QRect rect;
    };

    // The view is the parent.
    explicit TreeGroupsViewGroupItemDelegate(TreeGroupsView* view);

    // The segments of a group row whose content (after the tree's indentation) spans `rect`.
    QVector<Segment> segments(const QModelIndex& group, const QRect& rect) const;
    // A segment without a stored width: its column's title, " : " and "WW" in the group font (of `group`'s
    // row, or the plain group font for an invalid index).
    int defaultWidth(const QModelIndex& group, int column) const;

    // `option.rect` is the row's content.
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
        const QModelIndex& index) override;

private:
    QAbstractItemDelegate* cellDelegate(const QModelIndex& cell) const;

    TreeGroupsView* m_view; // the parent
};
