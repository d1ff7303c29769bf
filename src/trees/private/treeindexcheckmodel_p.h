#pragma once

#include "trees/private/treeindexmodelwithtextfilter_p.h"
#include "trees/treeindexcheckmodel.h"

#include <QPointer>

class TreeIndexCheckModelPrivate : public TreeIndexModelWithTextFilterPrivate
{
public:
    QPointer<RecordCheckList> checks; // not owned
    bool hideUnchecked = false;
};
