#pragma once

#include "columns/private/itemmodelwithdelegates_p.h"
#include "trees/private/recorditemmap.h"
#include "trees/treeindexmodel.h"

#include <QHash>

#include <vector>

// The tree of a TreeIndexModel, the leaf of each record, and what a batch holds back while its layout change is
// open.
class TreeIndexModelPrivate : public ItemModelWithDelegatesPrivate
{
    Q_DECLARE_PUBLIC(TreeIndexModel)
public:
    struct WaitingChange
    {
        GroupmentTreeItem* item;
        int first;
        int last;
        QVector<int> roles;
    };

    QList<Groupment*> groupments; // not owned
    GroupmentTreeItem* root = nullptr; // owned
    RecordItemMap records;
    Qt::SortOrder groupSortOrder = Qt::AscendingOrder;
    bool itemSignals = true;
    int moved = 0; // items moved among their siblings or to other groups, ever
    bool batching = false;
    bool layoutOpen = false;
    std::vector<WaitingChange> waiting; // dataChanged held while the layout is open, one per item
    std::vector<GroupmentTreeItem*> arrived; // rows come in while the layout is open; none is deleted meanwhile
    QHash<const GroupmentTreeItem*, int> waitingIndex;
};
