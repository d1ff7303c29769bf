#pragma once

#include "views/readinghold/heldrowsmodel.h"

#include <QPersistentModelIndex>
#include <QPointer>
#include <QVector>

class HeldRowsModelPrivate
{
public:
    QPointer<TableIndexModel> source; // not owned
    bool held = false;
    int pending = 0;
    QVector<Record> rows; // the held order
    // Passing through a layout change: our persistent indexes and the source's cells they stood on.
    QModelIndexList layoutProxy;
    QList<QPersistentModelIndex> layoutSource;
};
