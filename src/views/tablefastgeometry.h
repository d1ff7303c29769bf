#pragma once

#include "basic_views_export.h"

#include <QAbstractItemView>
#include <QList>
#include <QPair>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QVector>

class QHeaderView;

// The arithmetic of a table whose rows all have one height: which rows and columns a rectangle of the viewport
// shows, where a cell lies, what a scroll value shows and which value shows a row. A value: the view makes one
// from its state whenever it asks, so nothing here can go stale. Rows are plain arithmetic; columns are the
// header's sections (visual order, positions, sizes, hidden flags), read but never changed.
struct BASIC_VIEWS_EXPORT TableFastGeometry
{
    const QHeaderView* header = nullptr; // not owned
    int rowHeight = 0;
    int rowCount = 0;
    int scrollValue = 0; // the vertical scroll bar's value: a row (per item) or a pixel (per pixel)
    bool scrollPerItem = true;
    QSize viewport;
    QPoint offset; // the drawing offset added to every cell position
    bool rightToLeft = false;

    // Rows that fit wholly in the viewport.
    int visibleRowCount() const;
    // The first row shown (-1 when none) and the pixel offset of its top (0 or negative).
    int firstVisibleRow(int* pixelOffset = nullptr) const;
    // The last row shown, partly or wholly; -1 when none.
    int lastVisibleRow() const;
    // The y of a row's top in the viewport (-1 without a first visible row), and the row under a y (-1 when none).
    int rowTop(int row) const;
    int rowAt(int y) const;
    // The row at y as if the viewport went on above and below, within the model's rows; -1 without rows.
    int rowThrough(int y) const;
    // The first row a scroll value shows.
    int rowOfValue(int value) const { return scrollPerItem ? value : value / qMax(rowHeight, 1); }
    // The scroll value that moves the content by `rows` rows.
    int valueOfRows(int rows) const { return scrollPerItem ? rows : rows * rowHeight; }

    int columnX(int column) const;
    int columnWidth(int column) const;
    bool isColumnHidden(int column) const;
    // First and last visual column under the rectangle's left and right edge (a miss: the first or the last).
    QPair<int, int> visualColumnsIn(const QRect& rect) const;
    // The logical columns shown between two visual columns, in visual order.
    QVector<int> shownColumns(int firstVisual, int lastVisual) const;
    // The first column shown from visual position `visual` on, walking by `step` (1 or -1); -1 when none.
    int shownColumn(int visual, int step) const;
    // The lowest and highest logical column among the visual columns of the viewport (-1, -1 when none).
    QPair<int, int> logicalColumnSpan() const;

    // The cell of a column in the row whose top is at `top`.
    QRect cellRect(int column, int top) const;
    // The (row, column) of every shown cell a region touches, each once.
    QList<QPair<int, int>> cellsIn(const QRegion& region) const;
    // The (row, column) at a point; either is -1 on a miss.
    QPair<int, int> cellAt(const QPoint& point) const;
    // The viewport region of rows top..bottom, columns left..right, cut to the rows shown.
    QRegion regionOf(int top, int bottom, int left, int right) const;

    // The value that shows `row` as the last row of a band `height` pixels high (per-item scrolling).
    int valueShowingLast(int row, int height, int minimum) const;
    // The vertical value that shows `row` as `hint` asks, or `value` when it is already shown so.
    int valueShowing(int row, QAbstractItemView::ScrollHint hint, int value, int pageStep, int minimum) const;
    // The horizontal value that shows `column` as `hint` asks, right of `frozenWidth` pixels of frozen columns,
    // or `value` when it is shown so already.
    int horizontalValueShowing(
        int column, QAbstractItemView::ScrollHint hint, int value, int pageStep, bool perItem, int frozenWidth) const;
    // Trailing visual columns whose summed widths fit in the viewport (at least 1 when there are columns).
    int trailingColumnsFitting() const;
};
