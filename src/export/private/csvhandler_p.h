#pragma once

#include "export/csvhandler.h"
#include "export/private/rowblocks.h"

// An export's model and device, and the rows formatted ahead.
class CSVHandlerPrivate
{
public:
    QAbstractItemModel* model = nullptr; // not owned
    QIODevice* device = nullptr; // not owned
    RowBlocks rows;
};
