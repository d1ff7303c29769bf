#pragma once

#include "basic_views_export.h"

#include <QObject>
#include <QScopedPointer>

class PixmapCacheIndexedPrivate;
class QPixmap;

// The fast view's paint buffer: one rendered pixmap per cell, owned, looked up by (row, column).
//
// Entries are keyed by row key = row - row offset. Rows inserted or removed above every cached row only move the
// offset, so the usual case of a live table (new rows at the top, the cache further down) costs nothing per
// entry; otherwise the entries below the change are re-keyed. Only cells inside the bounds are kept: moving the
// bounds drops the entries outside them.
class BASIC_VIEWS_EXPORT PixmapCacheIndexed : public QObject
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, PixmapCacheIndexed)
public:
    explicit PixmapCacheIndexed(QObject* parent = nullptr);
    ~PixmapCacheIndexed() override;

    // The cell's pixmap, or null.
    QPixmap* find(int row, int column) const;
    // Takes the pixmap over; a previous pixmap of the cell is deleted.
    void insert(int row, int column, QPixmap* pixmap);
    void remove(int row, int column);
    // Every cell of rows firstRow..lastRow and columns firstColumn..lastColumn.
    void removeCells(int firstRow, int lastRow, int firstColumn, int lastColumn);
    // Every cached cell of the columns, whatever its row.
    void removeColumns(int firstColumn, int lastColumn);
    void clear();

    int count() const;
    int rowOffset() const;

    int firstRow() const;
    int lastRow() const;
    int firstColumn() const;
    int lastColumn() const;
    // New bounds (all non-negative, and different from the current ones) drop the cells outside them.
    void setBounds(int firstRow, int lastRow, int firstColumn, int lastColumn);

    // The model's rows first..last were inserted or removed: cached cells follow their rows; removed rows' cells go.
    void rowsInserted(int first, int last);
    void rowsRemoved(int first, int last);
    // Drops the cells whose rows moved out of the bounds. Rows pushed past them by insertions stay out of sight
    // until the bounds move, which they may never do while a view sits at the top of a growing table; the view
    // calls this once it has set its bounds after an insertion or removal.
    void dropRowsOutsideBounds();

private:
    // Moves the entries whose row is at least `from` by `delta` rows.
    void shiftRows(int from, int delta);

    QScopedPointer<PixmapCacheIndexedPrivate> m_d;
};
