#pragma once

#include <QModelIndex>
#include <QtPlugin>

// A view that keeps pictures of painted cells (a paint buffer) cannot see a cell whose look changes without a data
// change, such as a fading price flash; a delegate that animates its cells asks such a view to repaint the cell
// afresh. Views that paint every cell anew need not implement it: QAbstractItemView::update() serves them.
class ICellRepaint
{
public:
    virtual ~ICellRepaint() = default;
    virtual void repaintCell(const QModelIndex& index) = 0;
};

Q_DECLARE_INTERFACE(ICellRepaint, "BasicViews.ICellRepaint/1.0")
