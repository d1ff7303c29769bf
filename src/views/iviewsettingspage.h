#pragma once

#include "core/host/ioptionspagebase.h"

#include <QtPlugin>

class QWidget;
class Settings;

// A settings-dialog page of one window: it edits the window's stored state, which the host hands in and takes
// back; the host then restores the window from it.
class IViewSettingsPage : public IOptionsPageBase
{
public:
    // The page's widget over the window's state, owned by `parent`.
    virtual QWidget* createPage(const Settings& settings, QWidget* parent) = 0;
    // Writes what the user set into the window's state.
    virtual void apply(Settings& settings) = 0;
};

#define IViewSettingsPage_iid "Orrery.Plugin.IViewSettingsPage/1.0"
Q_DECLARE_INTERFACE(IViewSettingsPage, IViewSettingsPage_iid)
