#include "views/qtablefastview.h"

#include "columns/itemmodelwithdelegates.h"
#include "views/pixmapcacheindexed.h"
#include "views/qtablefastscrollbar.h"

#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QPainter>
#include <QScrollBar>
#include <QSet>
#include <QSignalBlocker>

#include <climits>

QTableFastView::QTableFastView(QWidget* parent)
    : QAbstractItemView(parent)
    , d(new QTableFastViewPrivate(this))
    , m_paintBuffer(new PixmapCacheIndexed(this))
{
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
}

QTableFastView::~QTableFastView()
{
    // The base destructor hides the header: its events and signals must not reach a view that is already gone.
    if (m_header) {
        m_header->removeEventFilter(this);
        disconnect(m_header, nullptr, this, nullptr);
    }
    delete d;
}

// ---- header and model ----

void QTableFastView::setHeader(QHeaderView* header)
{
    if (!header || header == m_header)
        return;
    if (m_header && m_header->parent() == this)
        delete m_header;
    m_header = header;
    m_header->setParent(this);
    if (!m_header->model()) {
        m_header->setModel(model());
        if (selectionModel())
            m_header->setSelectionModel(selectionModel());
    }
    connect(m_header, &QHeaderView::sectionResized, this, &QTableFastView::columnResized);
    connect(m_header, &QHeaderView::sectionMoved, this, &QTableFastView::columnMoved);
    connect(m_header, &QHeaderView::sectionCountChanged, this, &QTableFastView::columnCountChanged);
    connect(m_header, &QHeaderView::sectionHandleDoubleClicked, this, &QTableFastView::resizeColumnToContents);
    connect(m_header, &QHeaderView::geometriesChanged, this, &QTableFastView::updateGeometries);
    m_header->installEventFilter(this);
    setSortingEnabled(m_sortingEnabled);
    m_header->show();
    updateGeometries();
    Q_EMIT headerChanged(m_header);
}

void QTableFastView::setModel(QAbstractItemModel* model)
{
    if (model == this->model())
        return;
    if (QAbstractItemModel* old = this->model())
        disconnect(old, nullptr, this, nullptr);
    m_paintBuffer->clear();
    m_header->setModel(model);
    QAbstractItemView::setModel(model);
    m_delegatingModel = qobject_cast<ItemModelWithDelegates*>(model);
    if (model) {
        connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this, &QTableFastView::rowsAboutToBeInsertedHere);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &QTableFastView::rowsRemovedHere);
        connect(model, &QAbstractItemModel::rowsMoved, this, &QTableFastView::rowsMovedHere);
        connect(model, &QAbstractItemModel::modelAboutToBeReset, this, &QTableFastView::modelAboutToBeResetHere);
        connect(model, &QAbstractItemModel::modelReset, this, &QTableFastView::modelResetHere);
        connect(model, &QAbstractItemModel::layoutChanged, this, &QTableFastView::layoutChangedHere);
        // The base class made the selection model (deleted with the model); the header shares it.
        m_header->setSelectionModel(selectionModel());
        if (m_sortingEnabled)
            model->sort(m_header->sortIndicatorSection(), m_header->sortIndicatorOrder());
    }
    m_lastRowCount = model ? model->rowCount(rootIndex()) : 0;
    setRowHeight(updatedItemHeight(viewOptions()));
    updateGeometries();
    viewport()->update();
}

void QTableFastView::reset()
{
    m_paintBuffer->clear();
    QAbstractItemView::reset();
    m_lastRowCount = model() ? model()->rowCount(rootIndex()) : 0;
    updateGeometries();
    viewport()->update();
}

// ---- sorting ----

void QTableFastView::setSortingEnabled(bool enable)
{
    const bool was = m_sortingEnabled;
    m_sortingEnabled = enable;
    if (!m_header)
        return;
    if (enable) {
        m_header->setSortIndicatorShown(true);
        m_header->setSectionsClickable(true);
        m_header->setSortIndicator(m_header->sortIndicatorSection(), m_header->sortIndicatorOrder());
        if (!was && model())
            model()->sort(m_header->sortIndicatorSection(), m_header->sortIndicatorOrder());
        connect(m_header, &QHeaderView::sortIndicatorChanged, this, &QTableFastView::sortIndicatorChanged,
            Qt::UniqueConnection);
    } else {
        disconnect(m_header, &QHeaderView::sortIndicatorChanged, this, &QTableFastView::sortIndicatorChanged);
    }
}

void QTableFastView::sortByColumn(int column)
{
    sortByColumn(column, m_header->sortIndicatorOrder());
}

void QTableFastView::sortByColumn(int column, Qt::SortOrder order)
{
    m_header->setSortIndicator(column, order);
    if (!m_sortingEnabled && model())
        model()->sort(column, order);
}

void QTableFastView::sortIndicatorChanged(int column, Qt::SortOrder order)
{
    if (model())
        model()->sort(column, order);
}

void QTableFastView::hideColumn(int column)
{
    m_header->hideSection(column);
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
    m_currentWasFirst = true;
    m_currentWasLast = false;
    setCurrentIndex(moveCursor(MoveHome, Qt::NoModifier));
}

void QTableFastView::setCurrentLast()
{
    m_currentWasLast = true;
    m_currentWasFirst = false;
    if (!model())
        return;
    setCurrentIndex(model()->index(0, 0, rootIndex()));
    setCurrentIndex(moveCursor(MoveEnd, Qt::NoModifier));
}

// ---- geometry ----

int QTableFastView::visibleRowCount() const
{
    return m_rowHeight > 0 ? viewport()->height() / m_rowHeight : 0;
}

int QTableFastView::below(int row) const
{
    return model() && row + 1 < model()->rowCount(rootIndex()) ? row + 1 : row;
}

int QTableFastView::getFirstVisibleItem(int* offset) const
{
    const int rows = model() ? model()->rowCount(rootIndex()) : 0;
    const int value = verticalScrollBar()->value();
    if (verticalScrollMode() == ScrollPerItem) {
        if (offset)
            *offset = 0;
        return value >= 0 && value < rows ? value : -1;
    }
    if (m_rowHeight <= 0)
        return -1;
    if (offset)
        *offset = -(value % m_rowHeight);
    const int row = value / m_rowHeight;
    return row < rows ? row : -1;
}

int QTableFastView::lastVisibleRow() const
{
    int offset = 0;
    const int first = getFirstVisibleItem(&offset);
    if (first < 0 || m_rowHeight <= 0)
        return -1;
    const int rows = model()->rowCount(rootIndex());
    const int last = first + (viewport()->height() - offset - 1) / m_rowHeight;
    return qMin(last, rows - 1);
}

int QTableFastView::coordinateForItem(int row) const
{
    int offset = 0;
    const int first = getFirstVisibleItem(&offset);
    if (first < 0)
        return -1;
    return (row - first) * m_rowHeight + offset + d->offset.y();
}

int QTableFastView::itemAtCoordinate(int y) const
{
    int offset = 0;
    const int first = getFirstVisibleItem(&offset);
    if (first < 0 || m_rowHeight <= 0)
        return -1;
    const int local = y - offset - d->offset.y();
    if (local < 0)
        return -1;
    const int row = first + local / m_rowHeight;
    return row < model()->rowCount(rootIndex()) ? row : -1;
}

int QTableFastView::columnViewportPosition(int column) const
{
    return m_header->sectionViewportPosition(column) + d->offset.x();
}

int QTableFastView::columnWidth(int column) const
{
    return m_header->sectionSize(column);
}

bool QTableFastView::isColumnHidden(int column) const
{
    return m_header->isSectionHidden(column);
}

QPair<int, int> QTableFastView::startAndEndColumns(const QRect& rect) const
{
    const int count = m_header->count();
    int start = m_header->visualIndexAt(isRightToLeft() ? rect.right() : rect.left());
    int end = m_header->visualIndexAt(isRightToLeft() ? rect.left() : rect.right());
    if (start < 0)
        start = 0;
    if (end < 0)
        end = count - 1;
    return qMakePair(start, end);
}

QRect QTableFastView::cellRect(int column, int y) const
{
    return QRect(columnViewportPosition(column), y, columnWidth(column), m_rowHeight);
}

QRect QTableFastView::visualRect(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != model() || isIndexHidden(index) || m_rowHeight <= 0)
        return QRect();
    const int y = coordinateForItem(index.row());
    if (y == -1 && getFirstVisibleItem() < 0)
        return QRect();
    return cellRect(index.column(), y);
}

QModelIndex QTableFastView::indexAt(const QPoint& point) const
{
    if (!model())
        return QModelIndex();
    const int row = itemAtCoordinate(point.y());
    const int column = m_header->logicalIndexAt(point.x() - d->offset.x());
    if (row < 0 || column < 0)
        return QModelIndex();
    return model()->index(row, column, rootIndex());
}

int QTableFastView::horizontalOffset() const
{
    return m_header->offset();
}

int QTableFastView::verticalOffset() const
{
    const int value = verticalScrollBar()->value();
    return verticalScrollMode() == ScrollPerItem ? value * m_rowHeight : value;
}

bool QTableFastView::isIndexHidden(const QModelIndex& index) const
{
    return isColumnHidden(index.column());
}

QList<QPair<int, int>> QTableFastView::indexesAt(const QRegion& region) const
{
    QList<QPair<int, int>> cells;
    QSet<QPair<int, int>> seen;
    for (const QRect& rect : region) {
        const int top = itemAtCoordinate(rect.top());
        int bottom = itemAtCoordinate(rect.bottom());
        if (top < 0)
            continue;
        if (bottom < 0)
            bottom = lastVisibleRow();
        const auto columns = startAndEndColumns(rect);
        for (int row = top; row <= bottom; ++row) {
            for (int visual = columns.first; visual <= columns.second; ++visual) {
                const int column = m_header->logicalIndex(visual);
                if (column < 0 || isColumnHidden(column))
                    continue;
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

QList<int> QTableFastView::rowsAt(const QRegion& region) const
{
    QList<int> rows;
    for (const auto& cell : indexesAt(region)) {
        if (!rows.contains(cell.first))
            rows << cell.first;
    }
    return rows;
}

// ---- flags ----

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

// ---- row height ----

int QTableFastView::updatedItemHeight(const QStyleOptionViewItem& option) const
{
    int height = option.fontMetrics.height();
    if (QAbstractItemDelegate* delegate = itemDelegate())
        height = qMax(height, delegate->sizeHint(option, QModelIndex()).height());
    if (model()) {
        const int columns = model()->columnCount(rootIndex());
        for (int column = 0; column < columns; ++column) {
            if (QAbstractItemDelegate* delegate = itemDelegateForColumn(column))
                height = qMax(height, delegate->sizeHint(option, QModelIndex()).height());
        }
    }
    return height;
}

void QTableFastView::setRowHeight(int height)
{
    if (height == m_rowHeight)
        return;
    m_rowHeight = height;
    Q_EMIT rowHeightChanged();
}

bool QTableFastView::event(QEvent* event)
{
    const bool result = QAbstractItemView::event(event);
    if (event->type() == QEvent::Polish || event->type() == QEvent::StyleChange) {
        setRowHeight(updatedItemHeight(viewOptions()));
        updateGeometries();
    }
    return result;
}

bool QTableFastView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_header && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        updateGeometries();
    return QAbstractItemView::eventFilter(watched, event);
}

// ---- margins, geometry, scroll bars ----

void QTableFastView::setViewportMargins(int left, int top, int right, int bottom)
{
    setViewportMargins(QMargins(left, top, right, bottom));
}

void QTableFastView::setViewportMargins(const QMargins& margins)
{
    if (margins == m_viewportMargins)
        return;
    m_viewportMargins = margins;
    QAbstractItemView::setViewportMargins(margins);
}

void QTableFastView::adjustViewportMargins()
{
    QMargins margins = m_viewportMargins;
    margins.setTop(m_header->isHidden() ? 0 : m_header->sizeHint().height());
    setViewportMargins(margins);
}

void QTableFastView::updateGeometries()
{
    if (!m_header)
        return;
    adjustViewportMargins();
    const QRect vg = viewport()->geometry();
    m_header->setGeometry(vg.left(), vg.top() - m_viewportMargins.top(), vg.width(), m_viewportMargins.top());
    updateScrollBars();
    QAbstractItemView::updateGeometries();
}

void QTableFastView::updateScrollBars(int delta)
{
    QScrollBar* vertical = verticalScrollBar();
    QScrollBar* horizontal = horizontalScrollBar();
    const int rows = model() ? model()->rowCount(rootIndex()) : 0;
    const int visible = visibleRowCount();
    const int height = viewport()->height();
    const int width = viewport()->width();
    {
        const QSignalBlocker quiet(vertical);
        if (verticalScrollMode() == ScrollPerItem) {
            vertical->setSingleStep(1);
            vertical->setPageStep(qMax(visible, 1));
            setRowRange();
        } else {
            vertical->setRange(0, qMax(m_rowHeight * rows - height, 0));
            vertical->setPageStep(height);
            vertical->setSingleStep(qMax(height / (visible + 1), 2));
        }
    }
    if (delta != 0)
        vertical->setValue(vertical->value() + delta);
    else if (vertical->value() != m_shownValue)
        viewport()->update(); // the new range moved the value with the bar's signals blocked
    m_shownValue = vertical->value();

    // Trailing visual columns whose widths fit in the viewport.
    const int columns = m_header->count();
    int fit = 0;
    int used = 0;
    for (int visual = columns - 1; visual >= 0; --visual) {
        const int logical = m_header->logicalIndex(visual);
        if (m_header->isSectionHidden(logical))
            continue;
        used += m_header->sectionSize(logical);
        if (used > width)
            break;
        ++fit;
    }
    if (columns > 0)
        fit = qMax(fit, 1);
    if (horizontalScrollMode() == ScrollPerItem) {
        horizontal->setRange(0, qMax(columns - fit, 0));
        horizontal->setPageStep(fit);
        horizontal->setSingleStep(1);
    } else {
        horizontal->setRange(0, qMax(m_header->length() - width, 0));
        horizontal->setPageStep(width);
        horizontal->setSingleStep(qMax(width / (fit + 1), 2));
    }
}

void QTableFastView::setRowRange()
{
    const int rows = model() ? model()->rowCount(rootIndex()) : 0;
    const QSignalBlocker quiet(verticalScrollBar());
    verticalScrollBar()->setRange(0, qMax(rows - qMax(visibleRowCount(), 1), 0));
}

void QTableFastView::setVerticalValueQuietly(int value)
{
    m_adjusting = true;
    verticalScrollBar()->setValue(value);
    m_adjusting = false;
    m_shownValue = verticalScrollBar()->value();
}

void QTableFastView::verScrollbarValueChanged(int value)
{
    m_shownValue = value;
    if (m_paintBufferEnabled)
        setPixmapCacheIndexedVisibleBounds();
}

void QTableFastView::horScrollbarValueChanged(int)
{
    if (m_paintBufferEnabled)
        setPixmapCacheIndexedVisibleBounds();
}

void QTableFastView::scrollContentsBy(int dx, int dy)
{
    if (m_adjusting || !model())
        return;
    if (dx != 0) {
        const int old = m_header->offset();
        QScrollBar* horizontal = horizontalScrollBar();
        if (horizontalScrollMode() == ScrollPerPixel) {
            m_header->setOffset(horizontal->value());
        } else if (horizontal->value() >= horizontal->maximum() && m_header->count() > 0) {
            m_header->setOffsetToLastSection();
        } else {
            m_header->setOffsetToSectionPosition(horizontal->value());
        }
        dx = isRightToLeft() ? m_header->offset() - old : old - m_header->offset();
    }
    const int rows = model()->rowCount(rootIndex());
    if (m_rowHeight == 0 || rows == 0)
        return;
    if (verticalScrollMode() == ScrollPerItem && dy != 0) {
        const int fits = qMin(visibleRowCount() + 1, rows);
        if (qAbs(dy) > fits) {
            verticalScrollBar()->update();
            viewport()->update();
            return;
        }
        dy *= m_rowHeight;
    } else if (qAbs(dy) > viewport()->height()) {
        viewport()->update();
        return;
    }
    viewport()->scroll(dx, dy);
}

// ---- scrolling to a cell ----

int QTableFastView::valueShowingLast(int row, int height) const
{
    if (height <= m_rowHeight)
        return row;
    int r = row;
    int left = height;
    while (r >= 0) {
        left -= m_rowHeight;
        if (left < 0)
            return r + 1;
        --r;
    }
    return verticalScrollBar()->minimum();
}

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
    if (!isIndexValid(index) || m_rowHeight <= 0)
        return;
    QScrollBar* vertical = verticalScrollBar();
    const int r = index.row();
    const int H = viewport()->height();
    if (verticalScrollMode() == ScrollPerItem) {
        const int value = vertical->value();
        switch (hint) {
        case EnsureVisible:
            if (r < value)
                vertical->setValue(r);
            else if (r > value + vertical->pageStep() - 1)
                vertical->setValue(valueShowingLast(r, H));
            break;
        case PositionAtTop:
            vertical->setValue(r);
            break;
        case PositionAtBottom:
            vertical->setValue(valueShowingLast(r, H));
            break;
        case PositionAtCenter:
            vertical->setValue(valueShowingLast(r, m_rowHeight - 1 + H / 2));
            break;
        }
    } else {
        const int top = r * m_rowHeight;
        const int value = vertical->value();
        switch (hint) {
        case EnsureVisible:
            if (top >= value && top + m_rowHeight <= value + H)
                viewport()->update(visualRect(index));
            else if (top < value || m_rowHeight > H)
                vertical->setValue(top);
            else
                vertical->setValue(top + m_rowHeight - H);
            break;
        case PositionAtTop:
            vertical->setValue(top);
            break;
        case PositionAtBottom:
            vertical->setValue(top + m_rowHeight - H);
            break;
        case PositionAtCenter:
            vertical->setValue(top + m_rowHeight / 2 - H / 2);
            break;
        }
    }
    if (!horizontal)
        return;
    QScrollBar* bar = horizontalScrollBar();
    const int column = index.column();
    const int position = m_header->sectionPosition(column);
    const int size = m_header->sectionSize(column);
    const int width = viewport()->width();
    const int frozen = frozenColumnWidth();
    if (horizontalScrollMode() == ScrollPerItem) {
        const int visual = m_header->visualIndex(column);
        if (hint == PositionAtCenter || visual < bar->value() || visual >= bar->value() + bar->pageStep())
            bar->setValue(visual);
        return;
    }
    const int offset = m_header->offset();
    if (hint == PositionAtCenter) {
        bar->setValue(position - (width - size) / 2);
    } else if (position - offset >= frozen && size <= width - frozen) {
        if (position + size - offset > width)
            bar->setValue(position + size - width);
    } else {
        bar->setValue(position - frozen);
    }
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
    QPainter painter(viewport());
    draw(&painter, event->region());
    paintDropIndicator(&painter);
}

void QTableFastView::draw(QPainter* painter, const QRegion& region)
{
    if (!model() || m_rowHeight <= 0)
        return;
    int offset = 0;
    const int first = getFirstVisibleItem(&offset);
    if (first < 0)
        return;
    const int rows = model()->rowCount(rootIndex());
    const int width = viewport()->width();
    const QStyleOptionViewItem base = viewOptions();
    m_firstShownColumn = shownColumn(0, 1);
    m_lastShownColumn = shownColumn(m_header->count() - 1, -1);
    QSet<int> drawn;
    for (const QRect& dirty : region) {
        const QRect area(0, dirty.top(), width, dirty.height());
        const auto columns = startAndEndColumns(area);
        m_firstVisualColumn = columns.first;
        m_lastVisualColumn = columns.second;
        int y = offset + d->offset.y();
        for (int row = first; row < rows && y <= area.bottom(); ++row, y += m_rowHeight) {
            if (y + m_rowHeight <= area.top() || drawn.contains(row))
                continue;
            drawn.insert(row);
            const QModelIndex rowIndex = model()->index(row, 0, rootIndex());
            QStyleOptionViewItem option = base;
            if (selectionModel() && selectionModel()->isRowSelected(row, rootIndex()))
                option.state |= QStyle::State_Active
                    | (selectionBehavior() == SelectRows ? QStyle::State_Selected : QStyle::State_None);
            option.rect = QRect(0, y, width, m_rowHeight);
            if (option.state & QStyle::State_Enabled)
                option.palette.setCurrentColorGroup(
                    option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive);
            drawRow(painter, option, rowIndex);
        }
    }
}

QModelIndex QTableFastView::cellIndex(const QModelIndex& rowIndex, int column) const
{
    if (m_delegatingModel)
        return m_delegatingModel->indexColumn(rowIndex, column);
    return model()->index(rowIndex.row(), column, rowIndex.parent());
}

void QTableFastView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index)
{
    QVector<int> columns;
    for (int visual = m_firstVisualColumn; visual <= m_lastVisualColumn; ++visual) {
        const int logical = m_header->logicalIndex(visual);
        if (logical >= 0 && !isColumnHidden(logical))
            columns << logical;
    }
    const int sections = m_header->count() - m_header->hiddenSectionCount();
    const QModelIndex current = selectionModel() ? selectionModel()->currentIndex() : QModelIndex();
    bool rowHasFocus = false;
    if (current.isValid() && current.row() == index.row()) {
        QWidget* focused = QApplication::focusWidget();
        for (int column : qAsConst(columns)) {
            QWidget* editor = indexWidget(cellIndex(index, column));
            if (editor && focused && (editor == focused || editor->isAncestorOf(focused)))
                rowHasFocus = true;
        }
    }
    const int y = option.rect.top();
    QVector<FreshCell> fresh;
    for (int column : qAsConst(columns)) {
        const QRect rect = cellRect(column, y);
        // A buffered cell is already its final picture: the cells a change left alone cost one blit.
        if (m_paintBufferEnabled && !rowHasFocus) {
            if (const QPixmap* cached = m_paintBuffer->find(index.row(), column)) {
                const qreal ratio = cached->devicePixelRatio();
                if (qRound(cached->width() / ratio) == rect.width()
                    && qRound(cached->height() / ratio) == m_rowHeight) {
                    painter->drawPixmap(rect.topLeft(), *cached);
                    continue;
                }
            }
        }
        QStyleOptionViewItem cell = option;
        cell.rect = rect;
        const QModelIndex cellIdx = cellIndex(index, column);
        if (!cellIdx.isValid())
            continue;
        if (sections == 1)
            cell.viewItemPosition = QStyleOptionViewItem::OnlyOne;
        else if (column == m_firstShownColumn)
            cell.viewItemPosition = QStyleOptionViewItem::Beginning;
        else if (column == m_lastShownColumn)
            cell.viewItemPosition = QStyleOptionViewItem::End;
        else
            cell.viewItemPosition = QStyleOptionViewItem::Middle;
        if (rowHasFocus)
            cell.state |= QStyle::State_Active;
        if (selectionModel() && selectionModel()->isSelected(cellIdx))
            cell.state |= QStyle::State_Selected;
        if (current.isValid() && current.row() == index.row())
            cell.state |= QStyle::State_HasFocus;
        if (cell.state & QStyle::State_Enabled) {
            if (!(model()->flags(cellIdx) & Qt::ItemIsEnabled)) {
                cell.state &= ~QStyle::State_Enabled;
                cell.palette.setCurrentColorGroup(QPalette::Disabled);
            } else {
                cell.palette.setCurrentColorGroup(
                    cell.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive);
            }
        }
        if (m_paintBufferEnabled)
            fresh.append({ cell, cellIdx, delegateForIndex(cellIdx) });
        else
            renderCell(painter, cell, cellIdx, delegateForIndex(cellIdx));
    }
    bufferCells(painter, fresh);
    if (rowHasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = QRect(-m_header->offset(), y, m_header->length(), m_rowHeight);
        focus.backgroundColor
            = option.palette.color(option.state & QStyle::State_Selected ? QPalette::Highlight : QPalette::Window);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, this);
    }
}

void QTableFastView::renderCell(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
    QAbstractItemDelegate* delegate) const
{
    QStyleOptionViewItem panel = option;
    panel.state &= ~QStyle::State_Selected;
    style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &panel, painter, this);
    delegate->paint(painter, option, index);
}

void QTableFastView::bufferCells(QPainter* painter, const QVector<FreshCell>& cells)
{
    if (cells.isEmpty())
        return;
    // One strip and one painter for all the row's new cells, side by side, each clipped to its own place;
    // then each cell's part becomes its buffered pixmap.
    const qreal ratio = devicePixelRatioF();
    int width = 0;
    for (const FreshCell& cell : cells)
        width += cell.option.rect.width();
    QImage strip(QSize(width, m_rowHeight) * ratio, QImage::Format_RGB32);
    strip.setDevicePixelRatio(ratio);
    strip.fill(viewport()->palette().color(QPalette::Base));
    {
        QPainter target(&strip);
        int x = 0;
        for (const FreshCell& cell : cells) {
            QStyleOptionViewItem local = cell.option;
            local.rect = QRect(x, 0, cell.option.rect.width(), m_rowHeight);
            target.setClipRect(local.rect);
            renderCell(&target, local, cell.index, cell.delegate);
            x += local.rect.width();
        }
    }
    int x = 0;
    for (const FreshCell& cell : cells) {
        const QRect part(QPoint(qRound(x * ratio), 0), cell.option.rect.size() * ratio);
        auto* pixmap = new QPixmap(QPixmap::fromImage(strip.copy(part)));
        pixmap->setDevicePixelRatio(ratio);
        m_paintBuffer->insert(cell.index.row(), cell.index.column(), pixmap);
        painter->drawPixmap(cell.option.rect.topLeft(), *pixmap);
        x += cell.option.rect.width();
    }
}

void QTableFastView::paintDropIndicator(QPainter* painter)
{
    if (!showDropIndicator() || state() != DraggingState)
        return;
    const QPoint cursor = viewport()->mapFromGlobal(QCursor::pos());
    const int row = itemAtCoordinate(cursor.y());
    if (row < 0)
        return;
    const int y = coordinateForItem(row) + (cursor.y() - coordinateForItem(row) > m_rowHeight / 2 ? m_rowHeight : 0);
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

void QTableFastView::setPaintBufferEnabled(bool enable)
{
    if (enable == m_paintBufferEnabled)
        return;
    m_paintBufferEnabled = enable;
    if (enable)
        setPixmapCacheIndexedVisibleBounds();
    else
        m_paintBuffer->clear();
}

void QTableFastView::trimPaintBuffer()
{
    if (!m_paintBufferEnabled)
        return;
    setPixmapCacheIndexedVisibleBounds();
    m_paintBuffer->dropRowsOutsideBounds();
}

void QTableFastView::setPixmapCacheIndexedVisibleBounds()
{
    const int first = qMax(getFirstVisibleItem(), 0);
    const int last = first + (m_rowHeight > 0 ? viewport()->height() / m_rowHeight : 0) + 1;
    const auto columns = startAndEndColumns(viewport()->rect());
    if (columns.first < 0 || columns.second < 0)
        return;
    // The buffer keys columns logically: keep every logical column between the visible visual ones.
    int low = INT_MAX;
    int high = -1;
    for (int visual = columns.first; visual <= columns.second; ++visual) {
        const int logical = m_header->logicalIndex(visual);
        low = qMin(low, logical);
        high = qMax(high, logical);
    }
    if (high < 0)
        return;
    m_paintBuffer->setBounds(first, last, low, high);
}

void QTableFastView::invalidateRegion(const QRegion& region)
{
    for (const auto& cell : indexesAt(region))
        m_paintBuffer->remove(cell.first, cell.second);
    viewport()->update(region);
}

void QTableFastView::updateColumn(int column)
{
    m_paintBuffer->removeColumns(column, column);
    viewport()->update(QRect(columnViewportPosition(column), 0, columnWidth(column), viewport()->height()));
}

void QTableFastView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QVector<int>& roles)
{
    if (!topLeft.isValid() || !bottomRight.isValid()) {
        m_paintBuffer->clear();
        QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    m_paintBuffer->removeCells(topLeft.row(), bottomRight.row(), topLeft.column(), bottomRight.column());
    viewport()->update(visualRegionForSelection(QItemSelection(topLeft, bottomRight)));
}

// ---- selection ----

QRegion QTableFastView::visualRegionForSelection(const QItemSelection& selection) const
{
    QRegion region;
    const int first = getFirstVisibleItem();
    const int last = lastVisibleRow();
    if (first < 0)
        return region;
    for (const QItemSelectionRange& range : selection) {
        if (!range.isValid() || range.model() != model())
            continue;
        const int top = qMax(range.top(), first);
        const int bottom = qMin(range.bottom(), last);
        if (top > bottom)
            continue;
        const int y = coordinateForItem(top);
        const int height = (bottom - top + 1) * m_rowHeight;
        for (int column = range.left(); column <= range.right(); ++column) {
            if (!isColumnHidden(column))
                region += QRect(columnViewportPosition(column), y, columnWidth(column), height);
        }
    }
    return region;
}

void QTableFastView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    if (!selectionModel() || !model())
        return;
    const QRect r = rect.normalized();
    int top = itemAtCoordinate(r.top());
    int bottom = itemAtCoordinate(r.bottom());
    if (top < 0 && bottom < 0)
        return;
    if (top < 0)
        top = getFirstVisibleItem();
    if (bottom < 0)
        bottom = model()->rowCount(rootIndex()) - 1;
    const int lastColumn = model()->columnCount(rootIndex()) - 1;
    const QItemSelection selection(
        model()->index(qMin(top, bottom), 0, rootIndex()), model()->index(qMax(top, bottom), lastColumn, rootIndex()));
    selectionModel()->select(selection, command);
}

void QTableFastView::selectRow(int row)
{
    if (!model() || row < 0 || row >= model()->rowCount(rootIndex()))
        return;
    const int column = shownColumn(0, 1);
    if (column >= 0)
        setCurrentIndex(model()->index(row, column, rootIndex()));
}

int QTableFastView::shownColumn(int visual, int step) const
{
    for (; visual >= 0 && visual < m_header->count(); visual += step) {
        const int column = m_header->logicalIndex(visual);
        if (!isColumnHidden(column))
            return column;
    }
    return -1;
}

void QTableFastView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    for (const QItemSelection* ranges : { &selected, &deselected }) {
        for (const QItemSelectionRange& range : *ranges)
            m_paintBuffer->removeCells(range.top(), range.bottom(), range.left(), range.right());
    }
    viewport()->update(visualRegionForSelection(selected) + visualRegionForSelection(deselected));
}

void QTableFastView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QAbstractItemView::currentChanged(current, previous); // editors, and scrolling to the new current cell
#ifndef QT_NO_ACCESSIBILITY
    if (QAccessible::isActive() && current.isValid()) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(current.row() * model()->columnCount(rootIndex()) + current.column());
        QAccessible::updateAccessibility(&event);
    }
#endif
    const int width = viewport()->width();
    for (const QModelIndex& index : { current, previous }) {
        if (!index.isValid())
            continue;
        m_paintBuffer->removeCells(index.row(), index.row(), 0, INT_MAX);
        const int y = coordinateForItem(index.row());
        viewport()->update(QRect(0, y, width, m_rowHeight));
    }
}

// ---- model changes ----

void QTableFastView::rowsAboutToBeInsertedHere(const QModelIndex& parent, int, int)
{
    if (parent != rootIndex() || !model())
        return;
    const QModelIndex current = currentIndex();
    const int rows = model()->rowCount(rootIndex());
    m_currentWasFirst = current.isValid() ? current.row() == 0 : rows == 0;
    m_currentWasLast = current.isValid() && current.row() == rows - 1;
    m_currentColumn = current.isValid() ? current.column() : 0;
    m_currentDistance = current.isValid() ? current.row() - qMax(getFirstVisibleItem(), 0) : 0;
    const QScrollBar* vertical = verticalScrollBar();
    m_wasAtMinimum = vertical->value() == vertical->minimum();
    m_wasAtMaximum = vertical->value() == vertical->maximum();
    const bool descending = m_header->sortIndicatorOrder() == Qt::DescendingOrder;
    if (m_currentWasFirst && m_currentWasLast) {
        m_currentWasFirst = descending;
        m_currentWasLast = !descending;
    }
    if (m_wasAtMinimum && m_wasAtMaximum) {
        m_wasAtMinimum = descending;
        m_wasAtMaximum = !descending;
    }
}

void QTableFastView::rowsInserted(const QModelIndex& parent, int first, int last)
{
    QAbstractItemView::rowsInserted(parent, first, last);
    if (parent != rootIndex() || !model())
        return;
    const int count = last - first + 1;
    const int rows = model()->rowCount(rootIndex());
    m_paintBuffer->rowsInserted(first, last);
    QScrollBar* vertical = verticalScrollBar();
    if (verticalScrollMode() == ScrollPerItem)
        setRowRange();
    else
        updateScrollBars();
    const int oldValue = vertical->value();
    const int step = verticalScrollMode() == ScrollPerItem ? count : count * m_rowHeight;
    const int firstRowShown = verticalScrollMode() == ScrollPerItem ? oldValue : oldValue / qMax(m_rowHeight, 1);
    if (m_wasAtMaximum && !m_wasAtMinimum)
        setVerticalValueQuietly(vertical->maximum());
    else if (!m_wasAtMinimum && !m_wasAtMaximum && firstRowShown >= first)
        setVerticalValueQuietly(oldValue + step);
    m_shownValue = vertical->value();
    trimPaintBuffer();

    // Move painted pixels instead of repainting them. Rows before the insertion moved up by `moved` rows, the
    // rows after it down by count - moved: with one of the two at zero, one stretch of pixels moves and only
    // the band of the new rows is drawn.
    const int moved = vertical->value() - oldValue;
    const int width = viewport()->width();
    const int height = viewport()->height();
    const int shift = count * m_rowHeight;
    if (rows != m_lastRowCount + count || verticalScrollMode() != ScrollPerItem || getFirstVisibleItem() < 0) {
        viewport()->update();
    } else if (moved == 0) {
        const int y = qMax(coordinateForItem(first), 0);
        if (y < height)
            viewport()->scroll(0, shift, QRect(0, y, width, height - y));
    } else if (moved == count) {
        const int bottom = qMin(coordinateForItem(first + count), height);
        if (bottom > 0)
            viewport()->scroll(0, -shift, QRect(0, 0, width, bottom));
    } else {
        viewport()->update();
    }

    const bool autoScrollWas = hasAutoScroll();
    setAutoScroll(false);
    if (m_currentWasFirst && first == 0) {
        const QModelIndex target = model()->index(0, m_currentColumn, rootIndex());
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else if (m_currentWasLast && last == rows - 1) {
        const QModelIndex target = model()->index(rows - 1, m_currentColumn, rootIndex());
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    setAutoScroll(autoScrollWas);
    m_lastRowCount = rows;
}

void QTableFastView::rowsRemovedHere(const QModelIndex& parent, int first, int last)
{
    if (parent != rootIndex() || !model())
        return;
    const int count = last - first + 1;
    const int rows = model()->rowCount(rootIndex());
    m_paintBuffer->rowsRemoved(first, last);
    QScrollBar* vertical = verticalScrollBar();
    const int firstVisible
        = verticalScrollMode() == ScrollPerItem ? vertical->value() : vertical->value() / qMax(m_rowHeight, 1);
    const int visibleLast = firstVisible + visibleRowCount();
    if (last < firstVisible) {
        setVerticalValueQuietly(
            vertical->value() - (verticalScrollMode() == ScrollPerItem ? count : count * m_rowHeight));
    } else if (first <= visibleLast) {
        viewport()->update();
        updateScrollBars();
    }
    if (verticalScrollMode() == ScrollPerItem)
        setRowRange();
    trimPaintBuffer();
    setAutoScroll(true);
    m_lastRowCount = rows;
    if (selectionModel())
        selectionModel()->setCurrentIndex(currentIndex(), QItemSelectionModel::NoUpdate);
}

void QTableFastView::rowsMovedHere()
{
    m_paintBuffer->clear();
    viewport()->update();
}

void QTableFastView::modelAboutToBeResetHere()
{
    m_paintBuffer->clear();
}

void QTableFastView::modelResetHere()
{
    m_paintBuffer->clear();
    m_lastRowCount = model() ? model()->rowCount(rootIndex()) : 0;
    updateGeometries();
    viewport()->update();
}

void QTableFastView::layoutChangedHere()
{
    m_paintBuffer->clear();
    m_lastRowCount = model() ? model()->rowCount(rootIndex()) : 0;
    updateGeometries();
    viewport()->update();
}

void QTableFastView::columnResized(int column, int, int)
{
    m_paintBuffer->removeColumns(column, INT_MAX);
    updateGeometries();
    viewport()->update();
}

void QTableFastView::columnMoved(int, int, int)
{
    m_paintBuffer->clear();
    updateGeometries();
    viewport()->update();
}

void QTableFastView::columnCountChanged(int, int)
{
    m_paintBuffer->clear();
    setRowHeight(updatedItemHeight(viewOptions()));
    updateGeometries();
    viewport()->update();
}

// ---- size hints ----

int QTableFastView::sizeHintForColumn(int column) const
{
    if (!model())
        return -1;
    const int first = qMax(getFirstVisibleItem(), 0);
    const int rows = model()->rowCount(rootIndex());
    const int last = qMin(first + visibleRowCount(), rows - 1);
    QStyleOptionViewItem option = viewOptions();
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
    const int hint = qMax(sizeHintForColumn(column), m_header->sectionSizeHint(column));
    m_header->resizeSection(column, hint);
}

void QTableFastView::resizeColumnsToContents()
{
    for (int column = 0; column < m_header->count(); ++column)
        resizeColumnToContents(column);
}

// ---- keyboard, wheel, resize ----

void QTableFastView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        moveCurrentIndex(currentIndex(), event->key());
        event->accept();
        return;
    default:
        QAbstractItemView::keyPressEvent(event);
    }
}

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
        qDebug("Unknown key pressed to move current index");
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
    if (!model())
        return QModelIndex();
    const int rows = model()->rowCount(rootIndex());
    if (rows == 0)
        return QModelIndex();
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return model()->index(0, qMax(shownColumn(0, 1), 0), rootIndex());
    int row = current.row();
    int column = current.column();
    const int page = qMax(visibleRowCount(), 1);
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
        row = qMin(row + page, rows - 1);
        break;
    case MoveHome:
        m_currentWasFirst = true;
        m_currentWasLast = false;
        row = 0;
        break;
    case MoveEnd:
        m_currentWasLast = true;
        m_currentWasFirst = false;
        row = rows - 1;
        break;
    case MoveLeft:
    case MoveRight: {
        const int step = cursorAction == MoveRight ? 1 : -1;
        const int next = shownColumn(m_header->visualIndex(column) + step, step);
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
    if (m_paintBufferEnabled)
        setPixmapCacheIndexedVisibleBounds();
    viewport()->update();
}

int QTableFastView::frozenColumnWidth() const
{
    return 0;
}
