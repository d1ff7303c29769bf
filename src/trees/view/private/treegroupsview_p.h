#pragma once

#include "trees/view/private/treegroupsviewgroupcolset.h"
#include "trees/view/treegroupsview.h"
#include "views/private/treeindexview_p.h"

#include <memory>
#include <vector>

class Groupment;
class TreeGroupsViewMenu;

// The state of a TreeGroupsView: the model it shows and the groupments it made for it, and its parts.
class TreeGroupsViewPrivate : public TreeIndexViewPrivate
{
public:
    TreeGroupsModel* model = nullptr; // not owned
    TreeGroupsHeaderView* header = nullptr; // child
    TreeGroupsViewItemDelegateOptimized* elementDelegate = nullptr; // child
    TreeGroupsViewGroupItemDelegate* groupDelegate = nullptr; // child
    TreeGroupsViewGroupColSet groupColumns;
    std::vector<std::unique_ptr<Groupment>> groupments;
    ViewWrapper* wrapper = nullptr; // child
    TreeGroupsExpansion* expansion = nullptr; // child
    TreeGroupsViewMenu* menu = nullptr; // child
    QString resetCurrent; // the current row's path across a model reset
};
