#pragma once

#include "filters/rowfiltersmodel.h"

#include <QPointer>

class RowFiltersModelPrivate
{
public:
    QPointer<ItemModelWithDelegates> model;
    QList<Filter*> filters; // not owned
};
