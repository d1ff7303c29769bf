#pragma once

#include "delegates/viewscolormanager.h"

class ViewsColorManagerPrivate
{
public:
    QColor colors[ViewsColorManager::ViewCount * ViewsColorManager::RoleCount * ViewsColorManager::ColorCount];
    QList<ViewsColorPage*> pages; // children
};
