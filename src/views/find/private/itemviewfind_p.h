#pragma once

#include "views/find/itemviewfind.h"

#include <QElapsedTimer>
#include <QPointer>

class ItemViewFilter;

// What a finder searches, its row filter, and the state of the search that runs.
class ItemViewFindPrivate
{
public:
    QPointer<QAbstractItemView> view;
    QPointer<QHeaderView> header;
    QPointer<ItemViewFilter> filter; // child
    QElapsedTimer pace;
    bool stop = false;
    bool running = false;
};
