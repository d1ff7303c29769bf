#include "views/tablefastgeometry.h"

#include <QHeaderView>
#include <QSet>

#include <climits>

int TableFastGeometry::visibleRowCount() const
{
    return rowHeight > 0 ? viewport.height() / rowHeight : 0;
}

int TableFastGeometry::firstVisibleRow(int* pixelOffset) const
{
    if (pixelOffset)
        *pixelOffset = 0;
    if (scrollPerItem)
        return scrollValue >= 0 && scrollValue < rowCount ? scrollValue : -1;
    if (rowHeight <= 0)
        return -1;
    if (pixelOffset)
        *pixelOffset = -(scrollValue % rowHeight);
    const int row = scrollValue / rowHeight;
    return row < rowCount ? row : -1;
}

int TableFastGeometry::lastVisibleRow() const
{
    int pixelOffset = 0;
    const int first = firstVisibleRow(&pixelOffset);
    if (first < 0 || rowHeight <= 0)
        return -1;
    return qMin(first + (viewport.height() - pixelOffset - 1) / rowHeight, rowCount - 1);
}

int TableFastGeometry::rowTop(int row) const
{
    int pixelOffset = 0;
    const int first = firstVisibleRow(&pixelOffset);
    if (first < 0)
        return -1;
    return (row - first) * rowHeight + pixelOffset + offset.y();
}

int TableFastGeometry::rowAt(int y) const
{
    int pixelOffset = 0;
    const int first = firstVisibleRow(&pixelOffset);
    if (first < 0 || rowHeight <= 0)
        return -1;
    const int local = y - pixelOffset - offset.y();
    if (local < 0)
        return -1;
    const int row = first + local / rowHeight;
    return row < rowCount ? row : -1;
}

int TableFastGeometry::rowThrough(int y) const
{
    int pixelOffset = 0;
    const int first = firstVisibleRow(&pixelOffset);
    if (first < 0 || rowHeight <= 0)
        return -1;
    const int local = y - pixelOffset - offset.y();
    const int rows = local >= 0 ? local / rowHeight : -((rowHeight - 1 - local) / rowHeight);
    return qBound(0, first + rows, rowCount - 1);
}

int TableFastGeometry::columnX(int column) const
{
    return header->sectionViewportPosition(column) + offset.x();
}

int TableFastGeometry::columnWidth(int column) const
{
    return header->sectionSize(column);
}

bool TableFastGeometry::isColumnHidden(int column) const
{
    return header->isSectionHidden(column);
}

QPair<int, int> TableFastGeometry::visualColumnsIn(const QRect& rect) const
{
    int start = header->visualIndexAt(rightToLeft ? rect.right() : rect.left());
    int end = header->visualIndexAt(rightToLeft ? rect.left() : rect.right());
    if (start < 0)
        start = 0;
    if (end < 0)
        end = header->count() - 1;
    return qMakePair(start, end);
}

QVector<int> TableFastGeometry::shownColumns(int firstVisual, int lastVisual) const
{
    QVector<int> columns;
    for (int visual = firstVisual; visual <= lastVisual; ++visual) {
        const int logical = header->logicalIndex(visual);
        if (logical >= 0 && !header->isSectionHidden(logical))
            columns << logical;
    }
    return columns;
}

int TableFastGeometry::shownColumn(int visual, int step) const
{
    for (; visual >= 0 && visual < header->count(); visual += step) {
        const int column = header->logicalIndex(visual);
        if (!header->isSectionHidden(column))
            return column;
    }
    return -1;
}

QPair<int, int> TableFastGeometry::logicalColumnSpan() const
{
    const auto visuals = visualColumnsIn(QRect(QPoint(0, 0), viewport));
    int low = INT_MAX;
    int high = -1;
    for (int visual = visuals.first; visual <= visuals.second; ++visual) {
        const int logical = header->logicalIndex(visual);
        if (logical < 0)
            continue;
        low = qMin(low, logical);
        high = qMax(high, logical);
    }
    return high < 0 ? qMakePair(-1, -1) : qMakePair(low, high);
}

QRect TableFastGeometry::cellRect(int column, int top) const
{
    return QRect(columnX(column), top, columnWidth(column), rowHeight);
}

QList<QPair<int, int>> TableFastGeometry::cellsIn(const QRegion& region) const
{
    QList<QPair<int, int>> cells;
    QSet<QPair<int, int>> seen;
    for (const QRect& rect : region) {
        const int top = rowAt(rect.top());
        if (top < 0)
            continue;
        int bottom = rowAt(rect.bottom());
        if (bottom < 0)
            bottom = lastVisibleRow();
        const auto visuals = visualColumnsIn(rect);
        const QVector<int> columns = shownColumns(visuals.first, visuals.second);
        for (int row = top; row <= bottom; ++row) {
            for (int column : columns) {
                const QPair<int, int> cell(row, column);
                if (!seen.contains(cell)) {
                    seen.insert(cell);
                    cells << cell;
                }
            }
        }
    }
    return cells;
}

QPair<int, int> TableFastGeometry::cellAt(const QPoint& point) const
{
    const int row = rowAt(point.y());
    const int column = header->logicalIndexAt(point.x() - offset.x());
    return row < 0 || column < 0 ? qMakePair(-1, -1) : qMakePair(row, column);
}

QRegion TableFastGeometry::regionOf(int top, int bottom, int left, int right) const
{
    QRegion region;
    const int first = firstVisibleRow();
    if (first < 0)
        return region;
    top = qMax(top, first);
    bottom = qMin(bottom, lastVisibleRow());
    if (top > bottom)
        return region;
    const int y = rowTop(top);
    const int height = (bottom - top + 1) * rowHeight;
    for (int column = left; column <= right; ++column) {
        if (!isColumnHidden(column))
            region += QRect(columnX(column), y, columnWidth(column), height);
    }
    return region;
}

int TableFastGeometry::valueShowingLast(int row, int height, int minimum) const
{
    if (height <= rowHeight)
        return row;
    int left = height;
    for (int r = row; r >= 0; --r) {
        left -= rowHeight;
        if (left < 0)
            return r + 1;
    }
    return minimum;
}

int TableFastGeometry::valueShowing(
    int row, QAbstractItemView::ScrollHint hint, int value, int pageStep, int minimum) const
{
    using V = QAbstractItemView;
    const int height = viewport.height();
    if (scrollPerItem) {
        switch (hint) {
        case V::EnsureVisible:
            if (row < value)
                return row;
            return row > value + pageStep - 1 ? valueShowingLast(row, height, minimum) : value;
        case V::PositionAtTop:
            return row;
        case V::PositionAtBottom:
            return valueShowingLast(row, height, minimum);
        case V::PositionAtCenter:
            return valueShowingLast(row, rowHeight - 1 + height / 2, minimum);
        }
        return value;
    }
    const int top = row * rowHeight;
    switch (hint) {
    case V::EnsureVisible:
        if (top >= value && top + rowHeight <= value + height)
            return value;
        return top < value || rowHeight > height ? top : top + rowHeight - height;
    case V::PositionAtTop:
        return top;
    case V::PositionAtBottom:
        return top + rowHeight - height;
    case V::PositionAtCenter:
        return top + rowHeight / 2 - height / 2;
    }
    return value;
}

int TableFastGeometry::horizontalValueShowing(
    int column, QAbstractItemView::ScrollHint hint, int value, int pageStep, bool perItem, int frozenWidth) const
{
    const bool centre = hint == QAbstractItemView::PositionAtCenter;
    if (perItem) {
        const int visual = header->visualIndex(column);
        return centre || visual < value || visual >= value + pageStep ? visual : value;
    }
    const int position = header->sectionPosition(column);
    const int size = header->sectionSize(column);
    const int width = viewport.width();
    const int shifted = header->offset();
    if (centre)
        return position - (width - size) / 2;
    if (position - shifted >= frozenWidth && size <= width - frozenWidth)
        return position + size - shifted > width ? position + size - width : value;
    return position - frozenWidth;
}

int TableFastGeometry::trailingColumnsFitting() const
{
    const int columns = header->count();
    int fit = 0;
    int used = 0;
    for (int visual = columns - 1; visual >= 0; --visual) {
        const int logical = header->logicalIndex(visual);
        if (header->isSectionHidden(logical))
            continue;
        used += header->sectionSize(logical);
        if (used > viewport.width())
            break;
        ++fit;
    }
    return columns > 0 ? qMax(fit, 1) : 0;
}
