#pragma once

#include "views/pixmapcacheindexed.h"

#include <QMap>
#include <QPair>

#include <climits>

class PixmapCacheIndexedPrivate
{
public:
    using Key = QPair<int, int>; // (row key, column)

    int actualRow(const Key& key) const { return key.first + rowOffset; }
    Key keyOf(int row, int column) const { return qMakePair(row - rowOffset, column); }

    QMap<Key, QPixmap*> cells; // owned pixmaps
    int rowOffset = 0;
    int firstRow = 0;
    int lastRow = INT_MAX;
    int firstColumn = 0;
    int lastColumn = INT_MAX;
};
