#include "viewmenu.h"

#include "views/iview.h"

#include <QMenu>

namespace {

const char* const menuName = "viewMenu";

} // namespace

void popUpViewMenu(QWidget* window, IView* view, QWidget* source, const QPoint& at)
{
    // The previous menu goes now rather than when it closed: a command chosen from it may run a modal dialog,
    // whose event loop would delete a closed menu while the menu is still handling the click that chose it.
    delete window->findChild<QMenu*>(QLatin1String(menuName), Qt::FindDirectChildrenOnly);
    auto* menu = new QMenu(window);
    menu->setObjectName(QLatin1String(menuName));
    view->populateActionsAt(source->mapTo(window, at), menu);
    if (menu->isEmpty()) {
        delete menu;
        return;
    }
    menu->popup(source->mapToGlobal(at));
}
