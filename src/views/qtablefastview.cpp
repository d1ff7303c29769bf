#include "views/qtablefastview.h"

#include "columns/itemmodelwithdelegates.h"
#include "core/db/guilog.h"
#include "delegates/itemdelegateupdown.h"
#include "delegates/viewscolormanager.h"
#include "views/private/extendingselectionmodel.h"
#include "views/private/qtablefastview_p.h"
#include "views/qtablefastscrollbar.h"
#include "views/repaintpacer.h"

#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSet>
#include <QSignalBlocker>

#include <climits>

QTableFastView::QTableFastView(QWidget* parent)
    : QAbstractItemView(parent)
    , m_d(new QTableFastViewPrivate(this))
{
    Q_D(QTableFastView);
    d->repaints = new RepaintPacer(viewport(), this);
    setVerticalScrollBar(new QTableFastScrollBar(Qt::Vertical, this));
    auto* header = new QHeaderView(Qt::Horizontal, this);
    header->setSectionsMovable(true);
    header->setStretchLastSection(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setHeader(header);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setHorizontalScrollMode(ScrollPerPixel);
    setRowHeight(updatedItemHeight(viewOptions()));
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &QTableFastView::verScrollbarValueChanged);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &QTableFastView::horScrollbarValueChanged);
    // Colours applied on their settings pages: every cell, and every picture of one, may look otherwise.
    if (ViewsColorManager* colors = ViewsColorManager::instance())
        connect(colors, &ViewsColorManager::changed, this, &QTableFastView::repaintAll);
}

QTableFastView::~QTableFastView()
{
    Q_D(QTableFastView);
    // Views laid over this one (frozen rows) give their margins back while this view is still whole.
    qDeleteAll(findChildren<QTableFastView*>(QString(), Qt::FindDirectChildrenOnly));
    // The base destructor hides the header: its events and signals must not reach a view that is already gone.
    if (d->header) {
        d->header->removeEventFilter(this);
        disconnect(d->header, nullptr, this, nullptr);
    }
}

// ---- header and model ----

QHeaderView* QTableFastView::header() const
{
    Q_D(const QTableFastView);
    return d->header;
}

void QTableFastView::setHeader(QHeaderView* header)
{
    Q_D(QTableFastView);
    if (!header || header == d->header)
        return;
    if (d->header && d->header->parent() == this)
        delete d->header;
    d->header = header;
    header->setParent(this);
    if (!header->model()) {
        header->setModel(model());
        if (selectionModel())
            header->setSelectionModel(selectionModel());
    }
    connect(header, &QHeaderView::sectionResized, this, &QTableFastView::columnResized);
    connect(header, &QHeaderView::sectionMoved, this, &QTableFastView::columnMoved);
    connect(header, &QHeaderView::sectionCountChanged, this, &QTableFastView::columnCountChanged);
    connect(header, &QHeaderView::sectionHandleDoubleClicked, this, &QTableFastView::resizeColumnToContents);
    connect(header, &QHeaderView::geometriesChanged, this, &QTableFastView::updateGeometries);
    header->installEventFilter(this);
    setSortingEnabled(d->sortingEnabled);
    header->show();
    updateGeometries();
    Q_EMIT headerChanged(header);
}

void QTableFastView::setModel(QAbstractItemModel* model)
{
    Q_D(QTableFastView);
    if (model == this->model())
        return;
    if (QAbstractItemModel* old = this->model())
        disconnect(old, nullptr, this, nullptr);
    d->rows.buffer()->clear();
    d->header->setModel(model);
    QAbstractItemView::setModel(model);
    d->delegatingModel = qobject_cast<ItemModelWithDelegates*>(model);
    if (model) {
        connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this, &QTableFastView::rowsAboutToBeInsertedHere);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &QTableFastView::rowsRemovedHere);
        connect(model, &QAbstractItemModel::rowsMoved, this, &QTableFastView::rowsMovedHere);
        connect(model, &QAbstractItemModel::modelAboutToBeReset, this, &QTableFastView::modelAboutToBeResetHere);
        connect(model, &QAbstractItemModel::modelReset, this, &QTableFastView::modelResetHere);
        connect(model, &QAbstractItemModel::layoutChanged, this, &QTableFastView::layoutChangedHere);
        ExtendingSelectionModel::install(this);
        // The header shares the selection model (deleted with the model).
        d->header->setSelectionModel(selectionModel());
        if (d->sortingEnabled)
            model->sort(d->header->sortIndicatorSection(), d->header->sortIndicatorOrder());
    }
    d->lastRowCount = model ? model->rowCount(rootIndex()) : 0;
    setRowHeight(updatedItemHeight(viewOptions()));
    updateGeometries();
    viewport()->update();
}

void QTableFastView::reset()
{
    Q_D(QTableFastView);
    d->rows.buffer()->clear();
    QAbstractItemView::reset();
    d->lastRowCount = model() ? model()->rowCount(rootIndex()) : 0;
    updateGeometries();
    viewport()->update();
}

// ---- sorting ----

bool QTableFastView::isSortingEnabled() const
{
    Q_D(const QTableFastView);
    return d->sortingEnabled;
}

void QTableFastView::setSortingEnabled(bool enable)
{
    Q_D(QTableFastView);
    const bool was = d->sortingEnabled;
    d->sortingEnabled = enable;
    if (!d->header)
        return;
    if (enable) {
        d->header->setSortIndicatorShown(true);
        d->header->setSectionsClickable(true);
        d->header->setSortIndicator(d->header->sortIndicatorSection(), d->header->sortIndicatorOrder());
        if (!was && model())
            model()->sort(d->header->sortIndicatorSection(), d->header->sortIndicatorOrder());
        connect(d->header, &QHeaderView::sortIndicatorChanged, this, &QTableFastView::sortIndicatorChanged,
            Qt::UniqueConnection);
    } else {
        disconnect(d->header, &QHeaderView::sortIndicatorChanged, this, &QTableFastView::sortIndicatorChanged);
    }
}

void QTableFastView::sortByColumn(int column)
{
    sortByColumn(column, header()->sortIndicatorOrder());
}

void QTableFastView::sortByColumn(int column, Qt::SortOrder order)
{
    Q_D(QTableFastView);
    header()->setSortIndicator(column, order);
    if (!isSortingEnabled() && model()) {
        model()->sort(column, order);
        d->repaints->updateNow(viewport()->rect());
    }
}

void QTableFastView::sortIndicatorChanged(int column, Qt::SortOrder order)
{
    Q_D(QTableFastView);
    if (!model())
        return;
    model()->sort(column, order);
    d->repaints->updateNow(viewport()->rect()); // the trader's click: not a frame of the stream
}

void QTableFastView::hideColumn(int column)
{
    header()->hideSection(column);
}

// ---- current row anchors ----

bool QTableFastView::isCurrentFirst() const
{
    return currentIndex().isValid() && currentIndex().row() == 0;
}

bool QTableFastView::isCurrentLast() const
{
    if (!model() || model()->rowCount(rootIndex()) == 0)
        return true;
    return currentIndex().isValid() && currentIndex().row() == model()->rowCount(rootIndex()) - 1;
}

void QTableFastView::setCurrentFirst()
{
    Q_D(QTableFastView);
    d->place.anchorCurrentFirst();
    setCurrentIndex(moveCursor(MoveHome, Qt::NoModifier));
}

void QTableFastView::setCurrentLast()
{
    Q_D(QTableFastView);
    d->place.anchorCurrentLast();
    if (!model())
        return;
    setCurrentIndex(model()->index(0, 0, rootIndex()));
    setCurrentIndex(moveCursor(MoveEnd, Qt::NoModifier));
}

// ---- geometry ----

TableFastGeometry QTableFastView::geometry() const
{
    Q_D(const QTableFastView);
    TableFastGeometry g;
    g.header = d->header;
    g.rowHeight = d->rowHeight;
    g.rowCount = model() ? model()->rowCount(rootIndex()) : 0;
    g.scrollValue = verticalScrollBar()->value();
    g.scrollPerItem = verticalScrollMode() == ScrollPerItem;
    g.viewport = viewport()->size();
    g.offset = d->offset;
    g.rightToLeft = isRightToLeft();
    return g;
}

int QTableFastView::rowHeight() const
{
    Q_D(const QTableFastView);
    return d->rowHeight;
}

int QTableFastView::below(int row) const
{
    return model() && row + 1 < model()->rowCount(rootIndex()) ? row + 1 : row;
}

int QTableFastView::getFirstVisibleItem(int* offset) const
{
    return geometry().firstVisibleRow(offset);
}

int QTableFastView::coordinateForItem(int row) const
{
    return geometry().rowTop(row);
}

int QTableFastView::itemAtCoordinate(int y) const
{
    return geometry().rowAt(y);
}

int QTableFastView::columnViewportPosition(int column) const
{
    return geometry().columnX(column);
}

int QTableFastView::columnWidth(int column) const
{
    return header()->sectionSize(column);
}

bool QTableFastView::isColumnHidden(int column) const
{
    return header()->isSectionHidden(column);
}

QPair<int, int> QTableFastView::startAndEndColumns(const QRect& rect) const
{
    return geometry().visualColumnsIn(rect);
}

QRect QTableFastView::visualRect(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != model() || isIndexHidden(index) || rowHeight() <= 0)
        return QRect();
    const TableFastGeometry g = geometry();
    if (g.firstVisibleRow() < 0)
        return QRect();
    return g.cellRect(index.column(), g.rowTop(index.row()));
}

QModelIndex QTableFastView::indexAt(const QPoint& point) const
{
    if (!model())
        return QModelIndex();
    const auto cell = geometry().cellAt(point);
    return cell.first < 0 ? QModelIndex() : model()->index(cell.first, cell.second, rootIndex());
}

int QTableFastView::horizontalOffset() const
{
    return header()->offset();
}

int QTableFastView::verticalOffset() const
{
    const int value = verticalScrollBar()->value();
    return verticalScrollMode() == ScrollPerItem ? value * rowHeight() : value;
}

bool QTableFastView::isIndexHidden(const QModelIndex& index) const
{
    return isColumnHidden(index.column());
}

QList<QPair<int, int>> QTableFastView::indexesAt(const QRegion& region) const
{
    return geometry().cellsIn(region);
}

QList<int> QTableFastView::rowsAt(const QRegion& region) const
{
    QList<int> rows;
    for (const auto& cell : indexesAt(region)) {
        if (!rows.contains(cell.first))
            rows << cell.first;
    }
    return rows;
}

// ---- flags and delegates ----

bool QTableFastView::isIndexValid(const QModelIndex& index) const
{
    return index.isValid() && index.model() == model();
}

bool QTableFastView::isIndexSelectable(const QModelIndex& index) const
{
    return model() && (model()->flags(index) & Qt::ItemIsSelectable);
}

bool QTableFastView::isIndexEnabled(const QModelIndex& index) const
{
    return model() && (model()->flags(index) & Qt::ItemIsEnabled);
}

bool QTableFastView::isIndexDropEnabled(const QModelIndex& index) const
{
    return model() && (model()->flags(index) & Qt::ItemIsDropEnabled);
}

bool QTableFastView::isIndexDragEnabled(const QModelIndex& index) const
{
    return model() && (model()->flags(index) & Qt::ItemIsDragEnabled);
}

QAbstractItemDelegate* QTableFastView::delegateForIndex(const QModelIndex& index) const
{
    if (QAbstractItemDelegate* rowDelegate = itemDelegateForRow(index.row()))
        return rowDelegate;
    if (QAbstractItemDelegate* columnDelegate = itemDelegateForColumn(index.column()))
        return columnDelegate;
    return itemDelegate();
}

QModelIndex QTableFastView::cellIndex(const QModelIndex& rowIndex, int column) const
{
    Q_D(const QTableFastView);
    if (d->delegatingModel)
        return d->delegatingModel->indexColumn(rowIndex, column);
    return model()->index(rowIndex.row(), column, rowIndex.parent());
}

// ---- row height ----

int QTableFastView::updatedItemHeight(const QStyleOptionViewItem& option) const
{
    // A width of -1 asks delegates for the row's height alone, which they answer without measuring any text.
    QStyleOptionViewItem question = option;
    question.rect = QRect(0, 0, -1, -1);
    int height = question.fontMetrics.height();
    if (QAbstractItemDelegate* delegate = itemDelegate())
        height = qMax(height, delegate->sizeHint(question, QModelIndex()).height());
    if (model()) {
        const int columns = model()->columnCount(rootIndex());
        for (int column = 0; column < columns; ++column) {
            if (QAbstractItemDelegate* delegate = itemDelegateForColumn(column))
                height = qMax(height, delegate->sizeHint(question, QModelIndex()).height());
        }
    }
    return height;
}

void QTableFastView::setRowHeight(int height)
{
    Q_D(QTableFastView);
    if (height == d->rowHeight)
        return;
    d->rowHeight = height;
    Q_EMIT rowHeightChanged();
}

bool QTableFastView::event(QEvent* event)
{
    const bool result = QAbstractItemView::event(event);
    switch (event->type()) {
    case QEvent::Polish:
    case QEvent::StyleChange:
    case QEvent::FontChange:
        setRowHeight(updatedItemHeight(viewOptions()));
        updateGeometries();
        repaintAll();
        break;
    case QEvent::PaletteChange:
    // The buffered cells hold texts and number forms of the language and locale they were painted in.
    case QEvent::LanguageChange:
    case QEvent::LocaleChange:
        repaintAll();
        break;
    default:
        break;
    }
    return result;
}

bool QTableFastView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == header() && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        updateGeometries();
    return QAbstractItemView::eventFilter(watched, event);
}

// ---- margins, geometry, scroll bars ----

QMargins QTableFastView::viewportMargins() const
{
    Q_D(const QTableFastView);
    return d->viewportMargins;
}

void QTableFastView::setViewportMargins(int left, int top, int right, int bottom)
{
    setViewportMargins(QMargins(left, top, right, bottom));
}

void QTableFastView::setViewportMargins(const QMargins& margins)
{
    Q_D(QTableFastView);
    if (margins == d->viewportMargins)
        return;
    d->viewportMargins = margins;
    QAbstractItemView::setViewportMargins(margins);
}

void QTableFastView::adjustViewportMargins()
{
    QMargins margins = viewportMargins();
    margins.setTop(header()->isHidden() ? 0 : header()->sizeHint().height());
    setViewportMargins(margins);
}

void QTableFastView::updateGeometries()
{
    Q_D(QTableFastView);
    if (!d->header)
        return;
    adjustViewportMargins();
    const QRect vg = viewport()->geometry();
    d->header->setGeometry(vg.left(), vg.top() - d->viewportMargins.top(), vg.width(), d->viewportMargins.top());
    updateScrollBars();
    QAbstractItemView::updateGeometries();
}

void QTableFastView::updateScrollBars(int delta)
{
    Q_D(QTableFastView);
    QScrollBar* vertical = verticalScrollBar();
    QScrollBar* horizontal = horizontalScrollBar();
    const TableFastGeometry g = geometry();
    const int visible = g.visibleRowCount();
    const int height = viewport()->height();
    const int width = viewport()->width();
    {
        const QSignalBlocker quiet(vertical);
        if (verticalScrollMode() == ScrollPerItem) {
            vertical->setSingleStep(1);
            vertical->setPageStep(qMax(visible, 1));
            setRowRange();
        } else {
            vertical->setRange(0, qMax(d->rowHeight * g.rowCount - height, 0));
            vertical->setPageStep(height);
            vertical->setSingleStep(qMax(height / (visible + 1), 2));
        }
    }
    if (delta != 0)
        vertical->setValue(vertical->value() + delta);
    else if (vertical->value() != d->shownValue)
        viewport()->update(); // the new range moved the value with the bar's signals blocked
    d->shownValue = vertical->value();

    const int columns = d->header->count();
    const int fit = g.trailingColumnsFitting();
    if (horizontalScrollMode() == ScrollPerItem) {
        horizontal->setRange(0, qMax(columns - fit, 0));
        horizontal->setPageStep(fit);
        horizontal->setSingleStep(1);
    } else {
        horizontal->setRange(0, qMax(d->header->length() - width, 0));
        horizontal->setPageStep(width);
        horizontal->setSingleStep(qMax(width / (fit + 1), 2));
    }
}

void QTableFastView::setRowRange()
{
    const TableFastGeometry g = geometry();
    const QSignalBlocker quiet(verticalScrollBar());
    verticalScrollBar()->setRange(0, qMax(g.rowCount - qMax(g.visibleRowCount(), 1), 0));
}

void QTableFastView::setVerticalValueQuietly(int value)
{
    Q_D(QTableFastView);
    d->adjusting = true;
    verticalScrollBar()->setValue(value);
    d->adjusting = false;
    d->shownValue = verticalScrollBar()->value();
}

void QTableFastView::verScrollbarValueChanged(int value)
{
    Q_D(QTableFastView);
    d->shownValue = value;
    if (d->rows.isBufferEnabled())
        setPixmapCacheIndexedVisibleBounds();
}

void QTableFastView::horScrollbarValueChanged(int)
{
    Q_D(QTableFastView);
    if (d->rows.isBufferEnabled())
        setPixmapCacheIndexedVisibleBounds();
}

void QTableFastView::scrollContentsBy(int dx, int dy)
{
    Q_D(QTableFastView);
    if (d->adjusting || !model())
        return;
    if (dx != 0) {
        const int old = d->header->offset();
        QScrollBar* horizontal = horizontalScrollBar();
        if (horizontalScrollMode() == ScrollPerPixel) {
            d->header->setOffset(horizontal->value());
        } else if (horizontal->value() >= horizontal->maximum() && d->header->count() > 0) {
            d->header->setOffsetToLastSection();
        } else {
            d->header->setOffsetToSectionPosition(horizontal->value());
        }
        dx = isRightToLeft() ? d->header->offset() - old : old - d->header->offset();
    }
    const TableFastGeometry g = geometry();
    if (d->rowHeight == 0 || g.rowCount == 0)
        return;
    if (verticalScrollMode() == ScrollPerItem && dy != 0) {
        const int fits = qMin(g.visibleRowCount() + 1, g.rowCount);
        if (qAbs(dy) > fits) {
            verticalScrollBar()->update();
            viewport()->update();
            return;
        }
        dy *= d->rowHeight;
    } else if (qAbs(dy) > viewport()->height()) {
        viewport()->update();
        return;
    }
    d->repaints->scrollNow(dx, dy);
}

// ---- scrolling to a cell ----

void QTableFastView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    doScrollTo(index, hint, true);
}

void QTableFastView::scrollToRow(const QModelIndex& index, ScrollHint hint)
{
    doScrollTo(index, hint, false);
}

void QTableFastView::doScrollTo(const QModelIndex& index, ScrollHint hint, bool horizontal)
{
    if (!isIndexValid(index) || rowHeight() <= 0)
        return;
    const TableFastGeometry g = geometry();
    QScrollBar* vertical = verticalScrollBar();
    const int value = g.valueShowing(index.row(), hint, vertical->value(), vertical->pageStep(), vertical->minimum());
    if (value != vertical->value())
        vertical->setValue(value);
    else if (!g.scrollPerItem && hint == EnsureVisible)
        viewport()->update(visualRect(index)); // already in sight: only repainted
    if (!horizontal)
        return;
    QScrollBar* bar = horizontalScrollBar();
    bar->setValue(g.horizontalValueShowing(index.column(), hint, bar->value(), bar->pageStep(),
        horizontalScrollMode() == ScrollPerItem, frozenColumnWidth()));
}

// ---- painting ----

QStyleOptionViewItem QTableFastView::viewOptions() const
{
    QStyleOptionViewItem option = QAbstractItemView::viewOptions();
    option.showDecorationSelected = selectionBehavior() == SelectRows;
    return option;
}

void QTableFastView::paintEvent(QPaintEvent* event)
{
    ItemDelegateUpDown::advanceClocks(this, datetime::currentDateTime());
    QPainter painter(viewport());
    draw(&painter, event->region());
    paintDropIndicator(&painter);
}

void QTableFastView::draw(QPainter* painter, const QRegion& region)
{
    Q_D(QTableFastView);
    if (!model() || d->rowHeight <= 0)
        return;
    const TableFastGeometry g = geometry();
    int offset = 0;
    const int first = g.firstVisibleRow(&offset);
    if (first < 0)
        return;
    const int width = viewport()->width();
    const QStyleOptionViewItem base = viewOptions();
    const int firstShown = g.shownColumn(0, 1);
    const int lastShown = g.shownColumn(d->header->count() - 1, -1);
    QSet<int> drawn;
    for (const QRect& dirty : region) {
        // Rows are drawn whole: each rectangle is widened to the viewport's width.
        const QRect area(0, dirty.top(), width, dirty.height());
        const auto columns = g.visualColumnsIn(area);
        d->firstVisualColumn = columns.first;
        d->lastVisualColumn = columns.second;
        d->rows.setColumns(g.shownColumns(columns.first, columns.second), firstShown, lastShown);
        int y = offset + d->offset.y();
        for (int row = first; row < g.rowCount && y <= area.bottom(); ++row, y += d->rowHeight) {
            if (y + d->rowHeight <= area.top() || drawn.contains(row))
                continue;
            drawn.insert(row);
            QStyleOptionViewItem option = base;
            // A selected row keeps its highlight when the view has no focus.
            if (selectionModel() && selectionModel()->isRowSelected(row, rootIndex()))
                option.state |= QStyle::State_Active
                    | (selectionBehavior() == SelectRows ? QStyle::State_Selected : QStyle::State_None);
            option.rect = QRect(0, y, width, d->rowHeight);
            if (option.state & QStyle::State_Enabled)
                option.palette.setCurrentColorGroup(
                    option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive);
            drawRow(painter, option, model()->index(row, 0, rootIndex()));
        }
    }
}

void QTableFastView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index)
{
    Q_D(QTableFastView);
    d->rows.drawRow(painter, option, index);
}

void QTableFastView::paintDropIndicator(QPainter* painter)
{
    if (!showDropIndicator() || state() != DraggingState)
        return;
    const QPoint cursor = viewport()->mapFromGlobal(QCursor::pos());
    const TableFastGeometry g = geometry();
    const int row = g.rowAt(cursor.y());
    if (row < 0)
        return;
    const int top = g.rowTop(row);
    const int y = top + (cursor.y() - top > g.rowHeight / 2 ? g.rowHeight : 0);
    QStyleOption option;
    option.init(this);
    option.rect = QRect(0, y, viewport()->width(), 0);
    style()->drawPrimitive(QStyle::PE_IndicatorItemViewItemDrop, &option, painter, this);
}

void QTableFastView::dragMoveEvent(QDragMoveEvent* event)
{
    QAbstractItemView::dragMoveEvent(event);
    viewport()->update();
}

// ---- paint buffer ----

bool QTableFastView::isPaintBufferEnabled() const
{
    Q_D(const QTableFastView);
    return d->rows.isBufferEnabled();
}

void QTableFastView::setPaintBufferEnabled(bool enable)
{
    Q_D(QTableFastView);
    if (enable == d->rows.isBufferEnabled())
        return;
    d->rows.setBufferEnabled(enable);
    if (enable)
        setPixmapCacheIndexedVisibleBounds();
}

const PixmapCacheIndexed* QTableFastView::paintBuffer() const
{
    Q_D(const QTableFastView);
    return d->rows.buffer();
}

RepaintPacer* QTableFastView::repaintPacer() const
{
    Q_D(const QTableFastView);
    return d->repaints;
}

void QTableFastView::trimPaintBuffer()
{
    Q_D(QTableFastView);
    if (!d->rows.isBufferEnabled())
        return;
    setPixmapCacheIndexedVisibleBounds();
    d->rows.buffer()->dropRowsOutsideBounds();
}

void QTableFastView::setPixmapCacheIndexedVisibleBounds()
{
    Q_D(QTableFastView);
    const TableFastGeometry g = geometry();
    const int first = qMax(g.firstVisibleRow(), 0);
    const auto columns = g.logicalColumnSpan();
    // The buffer keys columns logically: every logical column between the visible visual ones is kept.
    if (columns.second >= 0)
        d->rows.buffer()->setBounds(first, first + g.visibleRowCount() + 1, columns.first, columns.second);
}

void QTableFastView::repaintAll()
{
    Q_D(QTableFastView);
    d->rows.buffer()->clear();
    viewport()->update();
}

void QTableFastView::repaintCell(const QModelIndex& index)
{
    Q_D(QTableFastView);
    if (!isIndexValid(index))
        return;
    d->rows.buffer()->remove(index.row(), index.column());
    viewport()->update(visualRect(index));
}

void QTableFastView::invalidateRegion(const QRegion& region)
{
    Q_D(QTableFastView);
    for (const auto& cell : indexesAt(region))
        d->rows.buffer()->remove(cell.first, cell.second);
    viewport()->update(region);
}

void QTableFastView::updateRegion(const QRegion& region)
{
    Q_D(QTableFastView);
    if (d->followingModel)
        d->repaints->update(region);
    else
        viewport()->update(region);
}

void QTableFastView::updateColumn(int column)
{
    Q_D(QTableFastView);
    d->rows.buffer()->removeColumns(column, column);
    viewport()->update(QRect(columnViewportPosition(column), 0, columnWidth(column), viewport()->height()));
}

void QTableFastView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QVector<int>& roles)
{
    Q_D(QTableFastView);
    if (!topLeft.isValid() || !bottomRight.isValid()) {
        d->rows.buffer()->clear();
        QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    d->rows.buffer()->removeCells(topLeft.row(), bottomRight.row(), topLeft.column(), bottomRight.column());
    // A batch signals many ranges: no selection (and its persistent indexes) is made for each.
    d->repaints->update(geometry().regionOf(topLeft.row(), bottomRight.row(), topLeft.column(), bottomRight.column()));
}

// ---- selection ----

QRegion QTableFastView::visualRegionForSelection(const QItemSelection& selection) const
{
    const TableFastGeometry g = geometry();
    QRegion region;
    for (const QItemSelectionRange& range : selection) {
        if (range.isValid() && range.model() == model())
            region += g.regionOf(range.top(), range.bottom(), range.left(), range.right());
    }
    return region;
}

void QTableFastView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    if (!selectionModel() || !model())
        return;
    const TableFastGeometry g = geometry();
    const QRect r = rect.normalized();
    // A selection extended from a row scrolled out of sight reaches it.
    const int top = g.rowThrough(r.top());
    const int bottom = g.rowThrough(r.bottom());
    if (top < 0)
        return;
    const int lastColumn = model()->columnCount(rootIndex()) - 1;
    const QItemSelection selection(
        model()->index(qMin(top, bottom), 0, rootIndex()), model()->index(qMax(top, bottom), lastColumn, rootIndex()));
    selectionModel()->select(selection, command);
}

void QTableFastView::selectRow(int row)
{
    if (!model() || row < 0 || row >= model()->rowCount(rootIndex()))
        return;
    const int column = geometry().shownColumn(0, 1);
    if (column >= 0)
        setCurrentIndex(model()->index(row, column, rootIndex()));
}

void QTableFastView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    Q_D(QTableFastView);
    for (const QItemSelection* ranges : { &selected, &deselected }) {
        for (const QItemSelectionRange& range : *ranges)
            d->rows.buffer()->removeCells(range.top(), range.bottom(), range.left(), range.right());
    }
    updateRegion(visualRegionForSelection(selected) + visualRegionForSelection(deselected));
}

void QTableFastView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    Q_D(QTableFastView);
    // The base closes or opens editors, scrolls to the new current cell and repaints both cells at once. A current
    // row that follows the model with no editor concerned needs none of it, and its repaint waits for the frame.
    if (!d->followingModel || state() == EditingState || (editTriggers() & CurrentChanged))
        QAbstractItemView::currentChanged(current, previous);
    else
        setAttribute(Qt::WA_InputMethodEnabled, current.isValid() && (current.flags() & Qt::ItemIsEditable));
#ifndef QT_NO_ACCESSIBILITY
    if (QAccessible::isActive() && current.isValid()) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(current.row() * model()->columnCount(rootIndex()) + current.column());
        QAccessible::updateAccessibility(&event);
    }
#endif
    const TableFastGeometry g = geometry();
    for (const QModelIndex& index : { current, previous }) {
        if (!index.isValid())
            continue;
        d->rows.buffer()->removeCells(index.row(), index.row(), 0, INT_MAX);
        updateRegion(QRect(0, g.rowTop(index.row()), viewport()->width(), d->rowHeight));
    }
}

// ---- model changes ----

void QTableFastView::rowsAboutToBeInsertedHere(const QModelIndex& parent, int, int)
{
    Q_D(QTableFastView);
    if (parent != rootIndex() || !model())
        return;
    const QModelIndex current = currentIndex();
    const QScrollBar* vertical = verticalScrollBar();
    RowPlaceKeeper::Before before;
    before.currentRow = current.isValid() ? current.row() : -1;
    before.currentColumn = current.isValid() ? current.column() : 0;
    before.rowCount = model()->rowCount(rootIndex());
    before.firstVisibleRow = qMax(getFirstVisibleItem(), 0);
    before.value = vertical->value();
    before.minimum = vertical->minimum();
    before.maximum = vertical->maximum();
    before.descending = d->header->sortIndicatorOrder() == Qt::DescendingOrder;
    d->place.aboutToInsert(before);
}

void QTableFastView::rowsInserted(const QModelIndex& parent, int first, int last)
{
    Q_D(QTableFastView);
    QAbstractItemView::rowsInserted(parent, first, last);
    if (parent != rootIndex() || !model())
        return;
    const int count = last - first + 1;
    const int rows = model()->rowCount(rootIndex());
    d->rows.buffer()->rowsInserted(first, last);
    QScrollBar* vertical = verticalScrollBar();
    if (verticalScrollMode() == ScrollPerItem)
        setRowRange();
    else
        updateScrollBars();
    const int oldValue = vertical->value();
    const TableFastGeometry before = geometry();
    const int value = d->place.valueAfterInsert(
        first, before.rowOfValue(oldValue), oldValue, before.valueOfRows(count), vertical->maximum());
    if (value != oldValue)
        setVerticalValueQuietly(value);
    d->shownValue = vertical->value();
    trimPaintBuffer();

    // Move painted pixels instead of repainting them. Rows before the insertion moved up by `moved` rows, the
    // rows after it down by count - moved: with one of the two at zero, one stretch of pixels moves and only
    // the band of the new rows is drawn.
    const TableFastGeometry g = geometry();
    const int moved = vertical->value() - oldValue;
    const int width = viewport()->width();
    const int height = viewport()->height();
    const int shift = count * d->rowHeight;
    if (rows != d->lastRowCount + count || verticalScrollMode() != ScrollPerItem || g.firstVisibleRow() < 0) {
        d->repaints->updateAll();
    } else if (moved == 0) {
        const int y = qMax(g.rowTop(first), 0);
        if (y < height)
            d->repaints->scroll(0, shift, QRect(0, y, width, height - y));
    } else if (moved == count) {
        const int bottom = qMin(g.rowTop(first + count), height);
        if (bottom > 0)
            d->repaints->scroll(0, -shift, QRect(0, 0, width, bottom));
    } else {
        d->repaints->updateAll();
    }

    const int currentRow = d->place.currentRowAfterInsert(first, last, rows);
    if (currentRow >= 0) {
        const bool autoScrollWas = hasAutoScroll();
        setAutoScroll(false);
        d->followingModel = true;
        selectionModel()->setCurrentIndex(model()->index(currentRow, d->place.currentColumn(), rootIndex()),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        d->followingModel = false;
        setAutoScroll(autoScrollWas);
    }
    d->lastRowCount = rows;
}

void QTableFastView::rowsRemovedHere(const QModelIndex& parent, int first, int last)
{
    Q_D(QTableFastView);
    if (parent != rootIndex() || !model())
        return;
    d->rows.buffer()->rowsRemoved(first, last);
    const TableFastGeometry g = geometry();
    const int firstShown = g.rowOfValue(g.scrollValue);
    const int value
        = RowPlaceKeeper::valueAfterRemove(last, firstShown, g.scrollValue, g.valueOfRows(last - first + 1));
    if (value >= 0) {
        setVerticalValueQuietly(value);
    } else if (first <= firstShown + g.visibleRowCount()) {
        d->repaints->updateAll();
        updateScrollBars();
    }
    if (verticalScrollMode() == ScrollPerItem)
        setRowRange();
    trimPaintBuffer();
    setAutoScroll(true);
    d->lastRowCount = g.rowCount;
    if (selectionModel())
        selectionModel()->setCurrentIndex(currentIndex(), QItemSelectionModel::NoUpdate);
}

void QTableFastView::rowsMovedHere()
{
    Q_D(QTableFastView);
    d->rows.buffer()->clear();
    d->repaints->updateAll();
}

void QTableFastView::modelAboutToBeResetHere()
{
    Q_D(QTableFastView);
    d->rows.buffer()->clear();
}

void QTableFastView::modelResetHere()
{
    Q_D(QTableFastView);
    d->rows.buffer()->clear();
    d->lastRowCount = model() ? model()->rowCount(rootIndex()) : 0;
    updateGeometries();
    viewport()->update();
}

// A live model re-sorts rows whose sort keys changed under a layout change, batch after batch: paced, unlike a
// reset. A re-sort the trader asks for is repainted at once by the view's own sort calls.
void QTableFastView::layoutChangedHere()
{
    Q_D(QTableFastView);
    d->rows.buffer()->clear();
    d->lastRowCount = model() ? model()->rowCount(rootIndex()) : 0;
    updateGeometries();
    d->repaints->updateAll();
}

void QTableFastView::columnResized(int column, int, int)
{
    Q_D(QTableFastView);
    d->rows.buffer()->removeColumns(column, INT_MAX);
    updateGeometries();
    viewport()->update();
}

void QTableFastView::columnMoved(int, int, int)
{
    updateGeometries();
    repaintAll();
}

void QTableFastView::columnCountChanged(int, int)
{
    Q_D(QTableFastView);
    d->rows.buffer()->clear();
    setRowHeight(updatedItemHeight(viewOptions()));
    updateGeometries();
    viewport()->update();
}

// ---- size hints ----

int QTableFastView::sizeHintForColumn(int column) const
{
    if (!model())
        return -1;
    const TableFastGeometry g = geometry();
    const int first = qMax(g.firstVisibleRow(), 0);
    const int last = qMin(first + g.visibleRowCount(), g.rowCount - 1);
    const QStyleOptionViewItem option = viewOptions();
    int hint = 0;
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = model()->index(row, column, rootIndex());
        if (QAbstractItemDelegate* delegate = delegateForIndex(index))
            hint = qMax(hint, delegate->sizeHint(option, index).width());
    }
    return hint + 1;
}

void QTableFastView::resizeColumnToContents(int column)
{
    const int hint = qMax(sizeHintForColumn(column), header()->sectionSizeHint(column));
    header()->resizeSection(column, hint);
}

void QTableFastView::resizeColumnsToContents()
{
    for (int column = 0; column < header()->count(); ++column)
        resizeColumnToContents(column);
}

// ---- keyboard, wheel, resize ----

void QTableFastView::moveCurrentIndex(const QModelIndex&, int key)
{
    CursorAction action;
    switch (key) {
    case Qt::Key_Left:
        action = MoveLeft;
        break;
    case Qt::Key_Up:
        action = MovePrevious;
        break;
    case Qt::Key_Right:
        action = MoveRight;
        break;
    case Qt::Key_Down:
        action = MoveNext;
        break;
    default:
        qCDebug(QGuiLog, "Unknown key pressed to move current index");
        return;
    }
    const QModelIndex next = moveCursor(action, Qt::NoModifier);
    if (next.isValid() && next != currentIndex())
        setCurrentIndex(next);
}

void QTableFastView::pageUp()
{
    setCurrentIndex(moveCursor(MovePageUp, Qt::NoModifier));
}

void QTableFastView::pageDown()
{
    setCurrentIndex(moveCursor(MovePageDown, Qt::NoModifier));
}

QModelIndex QTableFastView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers)
{
    Q_D(QTableFastView);
    if (!model())
        return QModelIndex();
    const TableFastGeometry g = geometry();
    if (g.rowCount == 0)
        return QModelIndex();
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return model()->index(0, qMax(g.shownColumn(0, 1), 0), rootIndex());
    int row = current.row();
    int column = current.column();
    const int page = qMax(g.visibleRowCount(), 1);
    if (isRightToLeft()) {
        if (cursorAction == MoveLeft)
            cursorAction = MoveRight;
        else if (cursorAction == MoveRight)
            cursorAction = MoveLeft;
    }
    switch (cursorAction) {
    case MoveUp:
    case MovePrevious:
        row = above(row);
        break;
    case MoveDown:
    case MoveNext:
        row = below(row);
        break;
    case MovePageUp:
        row = qMax(row - page, 0);
        break;
    case MovePageDown:
        row = qMin(row + page, g.rowCount - 1);
        break;
    case MoveHome:
        d->place.anchorCurrentFirst();
        row = 0;
        break;
    case MoveEnd:
        d->place.anchorCurrentLast();
        row = g.rowCount - 1;
        break;
    case MoveLeft:
    case MoveRight: {
        const int step = cursorAction == MoveRight ? 1 : -1;
        const int next = g.shownColumn(d->header->visualIndex(column) + step, step);
        if (next < 0) {
            // Nowhere to go: show more of the row instead.
            QScrollBar* bar = horizontalScrollBar();
            bar->setValue(bar->value() + step * bar->singleStep());
            return current;
        }
        column = next;
        break;
    }
    }
    return model()->index(row, column, rootIndex());
}

void QTableFastView::wheelEvent(QWheelEvent* event)
{
    const bool horizontal = event->angleDelta().x() != 0 && event->angleDelta().y() == 0;
    QApplication::sendEvent(horizontal ? horizontalScrollBar() : verticalScrollBar(), event);
}

void QTableFastView::resizeEvent(QResizeEvent* event)
{
    QAbstractItemView::resizeEvent(event);
    if (model() && currentIndex().isValid() && currentIndex().row() == model()->rowCount(rootIndex()) - 1) {
        scrollTo(currentIndex());
        updateScrollBars(1000);
    }
    if (isPaintBufferEnabled())
        setPixmapCacheIndexedVisibleBounds();
    viewport()->update();
}

int QTableFastView::frozenColumnWidth() const
{
    return 0;
}
