#pragma once

#include "columns/private/itemmodelwithdelegates_p.h"
#include "core/db/partitionlist.h"
#include "models/tablemodel.h"

#include <QPointer>

class TableModelPrivate : public ItemModelWithDelegatesPrivate
{
    Q_DECLARE_PUBLIC(TableModel)
public:
    PartitionList<Record> records;
    QPointer<Table> table;
};
