#pragma once

#include "windows/tablefastviewwithfilter.h"

#include <QPointer>

class TableFastViewWithFilterPrivate
{
public:
    QPointer<RowFiltersModel> filters;
    FiltersHeaderView* header = nullptr; // child
};
