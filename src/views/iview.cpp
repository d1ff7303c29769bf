#include "views/iview.h"

#include "core/host/iwindow.h"

#include <QWidget>

IView::~IView() = default;

QList<IViewSettingsPage*> IView::getSettingsPages(QObject*)
{
    return {};
}

QList<QAction*> IView::getActions()
{
    return {};
}

void IView::populateActionsAt(const QPoint&, QMenu*) { }

void IView::storeDefault(Settings& settings) const
{
    store(settings);
}

void IView::restoreDefault(const Settings& defaults, const Settings& values)
{
    restore(defaults, values);
}

void IView::apply() { }

QList<QToolBar*> IView::toolBars()
{
    return {};
}

IWindow* IView::window() const
{
    // Implementations are widgets; the walk only reads the parents.
    for (auto* up = const_cast<QWidget*>(dynamic_cast<const QWidget*>(this)); up; up = up->parentWidget()) {
        if (auto* window = qobject_cast<IWindow*>(up))
            return window;
    }
    return nullptr;
}
