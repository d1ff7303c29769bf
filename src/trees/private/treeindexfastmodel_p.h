#pragma once

#include "trees/private/treeindexmodel_p.h"
#include "trees/treeindexfastmodel.h"

class TreeIndexFastModelPrivate : public TreeIndexModelPrivate
{
public:
    int threshold = 0; // a batch list longer than this is one reset
};
