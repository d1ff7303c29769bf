#pragma once

#include "columns/itemmodelwithdelegates.h"

#include <QtCore/private/qabstractitemmodel_p.h>

class ItemModelWithDelegatesPrivate : public QAbstractItemModelPrivate
{
    Q_DECLARE_PUBLIC(ItemModelWithDelegates)
public:
    int sortColumn = -1;
    Qt::SortOrder sortOrder = Qt::AscendingOrder;
    int sortRole = 0;
    QVector<ColumnDelegateDef> columns;
};
