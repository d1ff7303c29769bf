#pragma once

#include <QString>
#include <QtPlugin>

// A window of the host holding one data view. A view finds its window by walking its parents.
class IWindow
{
public:
    virtual ~IWindow() = default;
    // The window kind: its read-only defaults are read under this name.
    virtual QString windowName() const = 0;
    // Shows the window in front of the others and gives it the focus.
    virtual void bringToFront() = 0;
};

#define IWindow_iid "Orrery.Plugin.IWindow/1.0"
Q_DECLARE_INTERFACE(IWindow, IWindow_iid)
