#pragma once

#include "windows/viewwrapper.h"

#include <QPointer>

// What a ViewWrapper copies and exports from, and its commands.
class ViewWrapperPrivate
{
public:
    IView* view = nullptr; // not owned
    QPointer<const QAbstractItemModel> model;
    QAbstractItemView* itemView = nullptr; // the parent
    QPointer<QHeaderView> header;
    DynamicExporter* exporter = nullptr; // child
    QAction* copy = nullptr; // child of the item view
    QAction* exportAction = nullptr; // child of the item view
    QAction* exportDynamic = nullptr; // child of the item view
};
