#pragma once

#include "views/filtering/filterssettingspage.h"
#include "views/filtering/private/filterssettingswidget.h"

#include <QPointer>

class FiltersSettingsPagePrivate
{
public:
    QPointer<RowFiltersModel> filters; // not owned
    QPointer<FiltersSettingsWidget> widget; // on the page, which the dialog owns
    QString searchText; // the filters' names, for matches()
};
