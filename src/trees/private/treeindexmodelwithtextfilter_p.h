#pragma once

#include "trees/private/treeindexmodel_p.h"
#include "trees/treeindexmodelwithtextfilter.h"

class TreeIndexModelWithTextFilterPrivate : public TreeIndexModelPrivate
{
public:
    QString text;
};
