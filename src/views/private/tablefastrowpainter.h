#pragma once

#include "views/pixmapcacheindexed.h"

#include <QStyleOptionViewItem>
#include <QVector>

class QAbstractItemDelegate;
class QPainter;
class QTableFastView;

// Draws the rows of a QTableFastView cell by cell. With the paint buffer on, a buffered cell is one blit; the row's
// other cells are rendered together in one strip, kept in the buffer and drawn. The buffer holds only finished
// cell pictures: whatever changes a cell's look (its data, selection, current row, a delegate's own animation, the
// palette, font or style) must drop the cell from it.
class TableFastRowPainter
{
public:
    explicit TableFastRowPainter(QTableFastView* view);

    PixmapCacheIndexed* buffer() { return &m_buffer; }
    const PixmapCacheIndexed* buffer() const { return &m_buffer; }
    bool isBufferEnabled() const { return m_bufferEnabled; }
    // Disabling empties the buffer.
    void setBufferEnabled(bool enable);

    // The columns to draw (logical, in visual order), and the first and last shown columns of the whole header,
    // which frame a row: set once per paint.
    void setColumns(const QVector<int>& columns, int firstShown, int lastShown);
    // One row: `option` carries the row's rectangle, state and palette; `rowIndex` is its index in column 0.
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& rowIndex);

private:
    struct FreshCell
    {
        QStyleOptionViewItem option;
        QModelIndex index;
        QAbstractItemDelegate* delegate;
    };
    // A cell as the style and its delegate draw it: the row panel, then the delegate.
    void renderCell(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
        QAbstractItemDelegate* delegate) const;
    // The row's cells missing from the buffer: rendered in one strip with one painter, stored, drawn.
    void bufferCells(QPainter* painter, const QVector<FreshCell>& cells, int rowHeight);
    bool rowHasFocusedEditor(const QModelIndex& rowIndex) const;

    QTableFastView* m_view; // not owned: the view owns this painter
    PixmapCacheIndexed m_buffer;
    bool m_bufferEnabled = false;
    QVector<int> m_columns;
    int m_firstShown = -1;
    int m_lastShown = -1;
};
