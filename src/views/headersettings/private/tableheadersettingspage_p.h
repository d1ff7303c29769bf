#pragma once

#include "views/headersettings/private/tableheadersettingsform.h"
#include "views/headersettings/tableheadersettingspage.h"

#include <QPointer>

class TableHeaderSettingsPagePrivate
{
public:
    QString id;
    QString group;
    QString displayName;
    QPointer<TableHeaderSettingsForm> form; // on the page, which the dialog owns
    QString keywords;
    TableHeaderModel* model = nullptr; // not owned
};
