#pragma once

#include "basic_views_export.h"

class QAbstractItemModel;
class QAction;
class QMenu;
class QObject;

// The menu entry "Подобрать ширину '<column>'" of the library's views: the action carries its column, and the
// view's resizeAColumnToContents() slot reads it back from the sender.
namespace FitWidthAction {

BASIC_VIEWS_EXPORT QAction* add(QMenu* menu, const QAbstractItemModel* model, int column);
// The column an action of add() carries; -1 for any other sender.
BASIC_VIEWS_EXPORT int column(const QObject* sender);

} // namespace FitWidthAction
