#pragma once

#include "views/private/rowplacekeeper.h"
#include "views/private/tablefastrowpainter.h"
#include "views/qtablefastview.h"

#include <QMargins>
#include <QPoint>

class ItemModelWithDelegates;
class RepaintPacer;

// The state of a QTableFastView: the drawing offset and the way back to the view, the header, the row height,
// the columns of the current paint, the place keeper, the row painter with its paint buffer, and what the view
// last saw of the model and the scroll bar, and the pacer of the repaints the model asks for.
class QTableFastViewPrivate
{
    Q_DECLARE_PUBLIC(QTableFastView)
public:
    explicit QTableFastViewPrivate(QTableFastView* view)
        : q_ptr(view)
        , rows(view)
    { }

    QPoint offset;
    QTableFastView* q_ptr;
    QHeaderView* header = nullptr; // a child, or the caller's
    bool sortingEnabled = false;
    int rowHeight = 0;
    int firstVisualColumn = 0; // rewritten at each paint
    int lastVisualColumn = -1;
    RowPlaceKeeper place;
    bool adjusting = false; // the view moves its own scroll bar: scrollContentsBy() ignores it
    QMargins viewportMargins;
    TableFastRowPainter rows;
    int lastRowCount = 0;
    int shownValue = 0; // the vertical value the viewport's pixels show
    ItemModelWithDelegates* delegatingModel = nullptr;
    RepaintPacer* repaints = nullptr; // child
    bool followingModel = false; // the view moves its current row after the model: repaints are paced
};
