#pragma once

#include "core/db/record.h"

#include <QList>
#include <QString>

class HeldRowsModel;
class ItemModelWithDelegates;
class QAction;
class QToolBar;
class ReadingHold;
class TableFastView;
class ViewWrapper;

class TableFastViewPrivate
{
    Q_DECLARE_PUBLIC(TableFastView)
public:
    explicit TableFastViewPrivate(TableFastView* view)
        : q_ptr(view)
    { }

    TableFastView* q_ptr;
    ItemModelWithDelegates* model = nullptr; // not owned
    HeldRowsModel* held = nullptr; // child; null while the view shows the model itself
    ReadingHold* hold = nullptr; // owned
    // What a reset must not lose: the current and the first shown record, the horizontal place, the selection.
    QString savedCurrent;
    int savedColumn = -1;
    Record savedTop;
    bool savedAtTop = false;
    int savedHorizontal = 0;
    QList<Record> savedSelection;
    QList<QToolBar*> toolBars;
    ViewWrapper* wrapper = nullptr; // owned
    QAction* fitAll = nullptr; // child
};
