#pragma once

#include "windows/tablefastviewsettingspage.h"

#include <QCheckBox>
#include <QPointer>

class TableFastViewSettingsPagePrivate
{
public:
    QPointer<QCheckBox> hold; // on the page, which the dialog owns
};
