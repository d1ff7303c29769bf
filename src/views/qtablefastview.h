#pragma once

#include "basic_views_export.h"

#include <QAbstractItemView>
#include <QMargins>
#include <QPoint>

class ItemModelWithDelegates;
class PixmapCacheIndexed;
class QHeaderView;
class QTableFastView;

// The drawing offset added to every cell position, and the way back to the view.
class QTableFastViewPrivate
{
public:
    explicit QTableFastViewPrivate(QTableFastView* view)
        : q(view)
    { }
    QPoint offset;
    QTableFastView* q;
};

// The table widget for live models with thousands of rows changing many times a second. Every row has the same
// height, so geometry is arithmetic; only rows under the dirty region are painted, each in one pass over the
// visible columns; rendered cells can be kept as pixmaps (the paint buffer) and are invalidated cell by cell;
// insertions, removals and scrolling move painted pixels instead of repainting them.
//
// It keeps the trader's place: a view at the top or bottom stays there as rows arrive, a view in the middle
// keeps the same records on screen, and a current row on the first or last row stays on the first or last row.
class BASIC_VIEWS_EXPORT QTableFastView : public QAbstractItemView
{
    Q_OBJECT
public:
    explicit QTableFastView(QWidget* parent = nullptr);
    ~QTableFastView() override;

    QHeaderView* header() const { return m_header; }
    // Replaces the header (the old one is deleted when the view owned it); emits headerChanged().
    void setHeader(QHeaderView* header);

    void setModel(QAbstractItemModel* model) override;

    int rowHeight() const { return m_rowHeight; }
    bool isSortingEnabled() const { return m_sortingEnabled; }
    void setSortingEnabled(bool enable);
    // Keeps the header's current order.
    void sortByColumn(int column);
    void sortByColumn(int column, Qt::SortOrder order);
    void hideColumn(int column);

    bool isCurrentFirst() const;
    bool isCurrentLast() const;
    void setCurrentFirst();
    void setCurrentLast();

    // The visible cells, and rows, that a viewport region touches.
    QList<QPair<int, int>> indexesAt(const QRegion& region) const;
    QList<int> rowsAt(const QRegion& region) const;

    int sizeHintForColumn(int column) const override;
    void resizeColumnToContents(int column);
    void resizeColumnsToContents();

    bool isPaintBufferEnabled() const { return m_paintBufferEnabled; }
    void setPaintBufferEnabled(bool enable);
    const PixmapCacheIndexed* paintBuffer() const { return m_paintBuffer; }

    QMargins viewportMargins() const { return m_viewportMargins; }
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
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void dragMoveEvent(QDragMoveEvent* event) override;

    void draw(QPainter* painter, const QRegion& region);
    void paintDropIndicator(QPainter* painter);

private:
    void setRowHeight(int height);
    // Paint buffer bounds: the visible rows and columns.
    // After rows moved under the buffer: bounds renewed, cells pushed out of them dropped.
    void trimPaintBuffer();
    void setPixmapCacheIndexedVisibleBounds();
    // The cell's rectangle in the viewport for a row whose top is at y.
    QRect cellRect(int column, int y) const;
    // A cell as the style and its delegate draw it (row panel, then the delegate).
    void renderCell(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
        QAbstractItemDelegate* delegate) const;
    // Cells of one row missing from the paint buffer: rendered, stored, and drawn.
    struct FreshCell
    {
        QStyleOptionViewItem option;
        QModelIndex index;
        QAbstractItemDelegate* delegate;
    };
    void bufferCells(QPainter* painter, const QVector<FreshCell>& cells);
    // The first column shown from visual position `visual` on, walking by `step` (1 or -1); -1 when none.
    int shownColumn(int visual, int step) const;
    // Per-item scrolling: the range ends where the last page starts; set with the bar's signals blocked.
    void setRowRange();
    // Sets the vertical value without scrolling pixels: the caller has already placed the content.
    void setVerticalValueQuietly(int value);
    int visibleRowCount() const;
    int lastVisibleRow() const;
    QModelIndex cellIndex(const QModelIndex& rowIndex, int column) const;
    void doScrollTo(const QModelIndex& index, ScrollHint hint, bool horizontal);
    // The scroll value that shows `row` as the last row of a band `height` pixels high.
    int valueShowingLast(int row, int height) const;

    QHeaderView* m_header = nullptr;
    bool m_sortingEnabled = false;
    int m_rowHeight = 0;
    QTableFastViewPrivate* d;
    int m_firstVisualColumn = 0;
    int m_lastVisualColumn = -1;
    int m_firstShownColumn = -1; // first and last non-hidden logical column, rewritten at each paint
    int m_lastShownColumn = -1;
    bool m_currentWasFirst = false;
    bool m_currentWasLast = false;
    bool m_wasAtMinimum = false;
    bool m_wasAtMaximum = false;
    int m_currentDistance = 0;
    int m_currentColumn = 0;
    bool m_adjusting = false;
    QMargins m_viewportMargins;
    bool m_paintBufferEnabled = false;
    PixmapCacheIndexed* m_paintBuffer;
    int m_lastRowCount = 0;
    int m_shownValue = 0; // the vertical value the viewport's pixels show
    ItemModelWithDelegates* m_delegatingModel = nullptr;
};
