#pragma once

class IView;
class QPoint;
class QWidget;

// Pops up a window's menu for a point of one of its widgets (`at` in `source`'s coordinates): what the window's
// populateActionsAt offers there. The menu returns at once, so nothing waits in a nested event loop while the window,
// or what its commands open, goes away; a window keeps its last menu until the next one opens or the window goes.
void popUpViewMenu(QWidget* window, IView* view, QWidget* source, const QPoint& at);
