#pragma once

#include "views/filtering/filtersheaderview.h"
#include "views/private/headerview_p.h"

#include <QPointer>

class FiltersHeaderViewPrivate : public HeaderViewPrivate
{
public:
    QPointer<RowFiltersModel> filters; // not owned
};
