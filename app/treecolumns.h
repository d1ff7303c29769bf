#pragma once

#include <QStringList>

class ItemModelWithDelegates;
class QTreeView;

// Shows exactly the named columns of a tree window's model, in that order; each but the first (the tree's own)
// at least `minWidth` wide: the elements are mostly inside closed groups when a window opens, and need room
// too, not only the groups. Names the model lacks are skipped.
void showTreeColumns(QTreeView* view, const ItemModelWithDelegates* model, const QStringList& names, int minWidth);
