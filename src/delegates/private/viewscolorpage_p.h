#pragma once

#include "delegates/private/viewscolorwidget.h"
#include "delegates/viewscolorpage.h"

#include <QPointer>

class ViewsColorPagePrivate
{
public:
    ViewsColorManager::View view;
    QPointer<ViewsColorWidget> widget;
};
