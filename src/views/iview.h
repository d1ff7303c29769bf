#pragma once

#include "basic_views_export.h"

#include <QList>
#include <QSize>
#include <QtPlugin>

class ICore;
class IViewSettingsPage;
class IWindow;
class QAction;
class QMenu;
class QObject;
class QPoint;
class QToolBar;
class Settings;

// A data window's content as the host sees it: the host makes it, stores and restores its state, shows its
// settings pages, actions and toolbars. Implementations are widgets.
class BASIC_VIEWS_EXPORT IView
{
public:
    virtual ~IView();

    // Called once after creation.
    virtual void initCore(ICore* core) = 0;
    // Pages for the settings dialog, owned by `parent`.
    virtual QList<IViewSettingsPage*> getSettingsPages(QObject* parent);
    virtual QList<QAction*> getActions();
    // Fills a context menu for a point of the view (in the view's coordinates).
    virtual void populateActionsAt(const QPoint& at, QMenu* menu);
    virtual void store(Settings& settings) const = 0;
    // The state to serve as the window kind's default.
    virtual void storeDefault(Settings& settings) const;
    virtual void restoreDefault(const Settings& defaults, const Settings& values);
    // `defaults` are the window kind's read-only defaults, `values` the saved state.
    virtual void restore(const Settings& defaults, const Settings& values) = 0;
    // Takes over changed settings.
    virtual void apply();
    virtual QSize defaultSize() const = 0;
    virtual QList<QToolBar*> toolBars();
    // The host window holding the view; null when it is not (yet) in one.
    virtual IWindow* window() const;
};

#define IView_iid "Orrery.Plugin.IView/1.0"
Q_DECLARE_INTERFACE(IView, IView_iid)
