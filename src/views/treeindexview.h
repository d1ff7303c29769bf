#pragma once

#include "views/qtreefastview.h"

class TreeIndexViewPrivate;

// A tree view whose rows all have one height, measured once per model reset (updateItemHeights()) and cached:
// a tree of a hundred thousand rows never asks each row for its size, and geometry is arithmetic on the height.
class BASIC_VIEWS_EXPORT TreeIndexView : public QTreeFastView
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, TreeIndexView)
public:
    explicit TreeIndexView(QWidget* parent = nullptr);

    // The cached row height; measured at once when none is cached yet.
    int itemHeight() const;
    // Measures again: the larger of the delegate's size hint for the first row and the font's height.
    virtual void updateItemHeights();

    // The left edge of the row's content, after the tree's indentation, relative to column 0's start.
    int indentationForIndex(const QModelIndex& index) const;
    // The row's top in viewport coordinates; -1 when it is not shown (a collapsed ancestor).
    int topCoordinateForIndex(const QModelIndex& index) const;
    // Whether every ancestor of the index is expanded.
    bool isIndexVisible(const QModelIndex& index) const;
    // The row shown below `index`, the first row for an invalid index; invalid after the last.
    QModelIndex treeWalkVisible(const QModelIndex& index) const;

protected:
    TreeIndexView(TreeIndexViewPrivate& dd, QWidget* parent);
};
