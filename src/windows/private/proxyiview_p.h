#pragma once

#include "core/db/mapsettings.h"
#include "windows/proxyiview.h"

#include <QMap>

class QActionGroup;
class QVBoxLayout;

// The view kinds of a ProxyIView, the view of the current kind and the states the others left.
class ProxyIViewPrivate
{
public:
    QString windowName;
    QVBoxLayout* layout = nullptr; // child
    QToolBar* toolBar = nullptr; // child
    QActionGroup* group = nullptr; // child
    QList<IViewFactory*> factories; // not owned
    IViewFactory* factory = nullptr; // not owned
    IView* view = nullptr; // a child widget
    ICore* core = nullptr; // not owned
    mutable QMap<IViewFactory*, MapSettings> cache;
    QString extraKey;
};
