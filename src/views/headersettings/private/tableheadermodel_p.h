#pragma once

#include "views/headersettings/tableheadermodel.h"

class TableHeaderModelPrivate
{
public:
    struct Entry
    {
        bool checked = false;
        int section = -1;
    };

    ItemModelWithDelegates* source = nullptr; // not owned
    QVector<Entry> entries;
    QList<int> offered; // empty: every section
    bool skipFirstSection = false;
    bool firstColumnLocked = false;
    int firstColumn = 0;
    bool firstColumnEnabled = true;
    Qt::Orientation orientation = Qt::Horizontal;
};
