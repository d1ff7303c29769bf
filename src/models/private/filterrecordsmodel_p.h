#pragma once

#include "models/filterrecordsmodel.h"

#include <QPointer>

class FilterRecordsModelPrivate
{
public:
    QPointer<Table> table;
    PartitionList<Record> handles; // the listed records by handle value, for membership
    QPointer<ItemModelWithDelegates> model;
    QList<int> columns;
    int sortColumn = -1;
    Qt::SortOrder sortOrder = Qt::AscendingOrder;
};
