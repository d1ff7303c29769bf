#include "viewmenu.h"

#include "views/iview.h"

#include <QMenu>

void popUpViewMenu(QWidget* window, IView* view, QWidget* source, const QPoint& at)
{
    auto* menu = new QMenu(window);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    view->populateActionsAt(source->mapTo(window, at), menu);
    if (menu->isEmpty()) {
        delete menu;
        return;
    }
    menu->popup(source->mapToGlobal(at));
}
