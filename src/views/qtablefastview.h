#pragma once

#include "basic_views_export.h"
#include "delegates/icellrepaint.h"
#include "views/tablefastgeometry.h"

#include <QAbstractItemView>
#include <QMargins>
#include <QScopedPointer>

class PixmapCacheIndexed;
class QHeaderView;
class RepaintPacer;
class QTableFastViewPrivate;

// The table widget for live models with thousands of rows changing many times a second. Every row has the same
// height, so geometry is arithmetic (TableFastGeometry); only rows under the dirty region are painted, each in one
// pass over the visible columns (TableFastRowPainter); rendered cells can be kept as pixmaps (the paint buffer) and
// are invalidated cell by cell; insertions, removals and scrolling move painted pixels instead of repainting them.
//
// It keeps the trader's place (RowPlaceKeeper): a view at the top or bottom stays there as rows arrive, a view in
// the middle keeps the same records on screen, and a current row on the first or last row stays on the first or
// last row.
//
// Repaints that model changes ask for are paced (RepaintPacer): a stream of batches repaints the viewport at most
// once a frame interval, while the trader's own actions repaint at once.
class BASIC_VIEWS_EXPORT QTableFastView : public QAbstractItemView, public ICellRepaint
{
    Q_OBJECT
    Q_INTERFACES(ICellRepaint)
    Q_DECLARE_PRIVATE_D(m_d, QTableFastView)
public:
    explicit QTableFastView(QWidget* parent = nullptr);
    ~QTableFastView() override;

    QHeaderView* header() const;
    // Replaces the header (the old one is deleted when the view owned it); emits headerChanged().
    void setHeader(QHeaderView* header);

    void setModel(QAbstractItemModel* model) override;

    int rowHeight() const;
    bool isSortingEnabled() const;
    void setSortingEnabled(bool enable);
    // Keeps the header's current order.
    void sortByColumn(int column);
    void sortByColumn(int column, Qt::SortOrder order);
    void hideColumn(int column);

    bool isCurrentFirst() const;
    bool isCurrentLast() const;
    void setCurrentFirst();
    void setCurrentLast();

    // The view's rows and columns as they stand now.
    TableFastGeometry geometry() const;
    // The visible cells, and rows, that a viewport region touches.
    QList<QPair<int, int>> indexesAt(const QRegion& region) const;
    QList<int> rowsAt(const QRegion& region) const;

    int sizeHintForColumn(int column) const override;
    void resizeColumnToContents(int column);
    void resizeColumnsToContents();

    bool isPaintBufferEnabled() const;
    void setPaintBufferEnabled(bool enable);
    const PixmapCacheIndexed* paintBuffer() const;
    // The pacer of the repaints model changes ask for; its interval may be changed (0: every change at once).
    RepaintPacer* repaintPacer() const;

    QMargins viewportMargins() const;
    void setViewportMargins(int left, int top, int right, int bottom);
    void setViewportMargins(const QMargins& margins);

    // Recomputes both scroll bars; the vertical value moves by `delta` rows (clamped to the range).
    void updateScrollBars(int delta = 0);

    // QAbstractItemView
    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    // As scrollTo(), keeping the horizontal position.
    void scrollToRow(const QModelIndex& index, ScrollHint hint = EnsureVisible);
    QModelIndex indexAt(const QPoint& point) const override;

Q_SIGNALS:
    void rowHeightChanged();
    void headerChanged(QHeaderView* header);

public Q_SLOTS:
    void reset() override;
    // ICellRepaint: drops the cell's buffered picture and repaints it (a delegate's animation, no data change).
    void repaintCell(const QModelIndex& index) override;

protected Q_SLOTS:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
        const QVector<int>& roles = QVector<int>()) override;
    void rowsInserted(const QModelIndex& parent, int first, int last) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void updateGeometries() override;

private Q_SLOTS:
    void rowsAboutToBeInsertedHere(const QModelIndex& parent, int first, int last);
    void rowsRemovedHere(const QModelIndex& parent, int first, int last);
    void rowsMovedHere();
    void modelAboutToBeResetHere();
    void modelResetHere();
    void layoutChangedHere();
    void verScrollbarValueChanged(int value);
    void horScrollbarValueChanged(int value);
    void sortIndicatorChanged(int column, Qt::SortOrder order);
    void columnResized(int column, int oldSize, int newSize);
    void columnMoved(int column, int oldIndex, int newIndex);
    void columnCountChanged(int oldCount, int newCount);

protected:
    // Width of columns that do not scroll horizontally (none here; the terminal's table view has some).
    virtual int frozenColumnWidth() const;
    virtual void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index);
    // The top margin follows the header's height (0 when it is hidden).
    virtual void adjustViewportMargins();

    int above(int row) const { return qMax(row - 1, 0); }
    int below(int row) const;
    bool isIndexValid(const QModelIndex& index) const;
    bool isIndexSelectable(const QModelIndex& index) const;
    bool isIndexEnabled(const QModelIndex& index) const;
    bool isIndexDropEnabled(const QModelIndex& index) const;
    bool isIndexDragEnabled(const QModelIndex& index) const;
    // The row's delegate, else the column's, else the view's.
    QAbstractItemDelegate* delegateForIndex(const QModelIndex& index) const;
    // The cell of a row in another column (through the model's own mapping where it has one).
    QModelIndex cellIndex(const QModelIndex& rowIndex, int column) const;
    // The first visible row (-1 when there is none) and the pixel offset of its top.
    int getFirstVisibleItem(int* offset = nullptr) const;
    // First and last visual column under the rectangle's left and right edge.
    QPair<int, int> startAndEndColumns(const QRect& rect) const;
    int coordinateForItem(int row) const;
    int itemAtCoordinate(int y) const;
    int columnViewportPosition(int column) const;
    int columnWidth(int column) const;
    bool isColumnHidden(int column) const;
    void selectRow(int row);
    void moveCurrentIndex(const QModelIndex& index, int key);
    void pageUp();
    void pageDown();
    void invalidateRegion(const QRegion& region);
    // Repaints a region of the viewport: paced while the view follows a model change, at once otherwise.
    void updateRegion(const QRegion& region);
    int updatedItemHeight(const QStyleOptionViewItem& option) const;
    void updateColumn(int column);

    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    QStyleOptionViewItem viewOptions() const override;

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void dragMoveEvent(QDragMoveEvent* event) override;

    void draw(QPainter* painter, const QRegion& region);
    void paintDropIndicator(QPainter* painter);

private:
    friend class TableFastRowPainter;

    void setRowHeight(int height);
    // Paint buffer bounds: the visible rows and columns.
    void setPixmapCacheIndexedVisibleBounds();
    // After rows moved under the buffer: bounds renewed, cells pushed out of them dropped.
    void trimPaintBuffer();
    // Empties the buffer and repaints: every cell's look may have changed.
    void repaintAll();
    // Per-item scrolling: the range ends where the last page starts; set with the bar's signals blocked.
    void setRowRange();
    // Sets the vertical value without scrolling pixels: the caller has already placed the content.
    void setVerticalValueQuietly(int value);
    void doScrollTo(const QModelIndex& index, ScrollHint hint, bool horizontal);

    QScopedPointer<QTableFastViewPrivate> m_d;
};
