#pragma once

#include "views/find/itemviewfindtoolbar.h"
#include "views/find/private/abstractfindtoolbar_p.h"

#include <QAbstractItemView>
#include <QPointer>

class ItemViewFindToolBarPrivate : public AbstractFindToolBarPrivate
{
public:
    ItemViewFind* find = nullptr; // child
    QPointer<QAbstractItemView> view;
};
