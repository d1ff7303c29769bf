#include "views/find/itemviewfind.h"

#include "columns/itemmodelwithdelegates.h"
#include "core/host/busyscope.h"
#include "filters/private/itemviewtextmatch.h"
#include "filters/rowfiltersmodel.h"
#include "models/filterindexmodel.h"
#include "models/parallelmap.h"
#include "models/tableindexmodel.h"
#include "views/find/private/itemviewfilter.h"
#include "views/find/private/itemviewfind_p.h"
#include "views/readinghold/heldrowsmodel.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QHeaderView>
#include <QPersistentModelIndex>

#include <algorithm>
#include <atomic>

namespace {

const int PaceMs = 40;
// Rows tried in one block: the block grows or shrinks so that one takes about BlockMs.
const int FirstBlock = 512;
const int MinBlock = 64;
const int MaxBlock = 1 << 18;
const int BlockMs = 4; // with the 40 ms pace, the event loop waits at most about 50 ms

// The deepest last row under `row` (the root when invalid); `row` itself when it has no children.
QModelIndex lastDescendant(const QAbstractItemModel* model, QModelIndex row)
{
    while (const int n = model->rowCount(row))
        row = model->index(n - 1, 0, row);
    return row;
}

// The next row in depth-first order, wrapping around from the last row to the first.
QModelIndex nextRow(const QAbstractItemModel* model, const QModelIndex& row)
{
    if (model->rowCount(row) > 0)
        return model->index(0, 0, row);
    for (QModelIndex at = row; at.isValid(); at = at.parent()) {
        const QModelIndex parent = at.parent();
        if (at.row() + 1 < model->rowCount(parent))
            return model->index(at.row() + 1, 0, parent);
    }
    return model->index(0, 0);
}

QModelIndex previousRow(const QAbstractItemModel* model, const QModelIndex& row)
{
    if (row.row() > 0)
        return lastDescendant(model, model->index(row.row() - 1, 0, row.parent()));
    if (row.parent().isValid())
        return row.parent();
    return lastDescendant(model, QModelIndex());
}

} // namespace

// One search: the rows from the start row round to it again, tried in blocks. Between blocks the event loop may
// delete the finder, the view or the model: all are held weakly and checked after every pause.
class ItemViewFind::Walk
{
public:
    Walk(ItemViewFind* find, const QString& text, bool forward)
        : m_find(find)
        , m_view(find->view())
        , m_model(m_view->model())
        , m_match(m_view, text)
        , m_forward(forward)
    {
        const QList<int> shown = find->columnList();
        m_columns = shown.toVector();
        if (!forward)
            std::reverse(m_columns.begin(), m_columns.end());
        // The library's flat models read records on worker threads; other models are read here, cell by cell.
        if (auto* held = qobject_cast<HeldRowsModel*>(m_model)) {
            m_held = held;
            m_records = held->source();
        } else if (auto* model = qobject_cast<ItemModelWithDelegates*>(m_model); model && !model->isTreeModel()) {
            m_records = model;
        }
    }

    QModelIndex run(const QModelIndex& current, bool incremental);

private:
    // Runs the event loop once 40 ms have passed since it last ran; false when the search must end: stopped, or
    // the finder, the view or its model gone.
    bool pause();
    QModelIndex step(const QModelIndex& row) const
    {
        return m_forward ? nextRow(m_model, row) : previousRow(m_model, row);
    }
    // The first of the row's columns in walk order, from position `from` up to `to` (exclusive), that matches.
    QModelIndex tryRow(const QModelIndex& row, int from, int to) const;
    // Up to `count` rows from `from`, not reaching `stop`: the first hit, the rows tried and the row after them.
    // One by one here, for any model.
    QModelIndex tryRows(
        const QModelIndex& from, const QModelIndex& stop, int count, int& tried, QModelIndex& next) const;
    // The same for a flat model of records, on the worker threads; a block ends at the table's end.
    QModelIndex tryRange(
        const QModelIndex& from, const QModelIndex& stop, int count, int& tried, QModelIndex& next) const;

    QPointer<ItemViewFind> m_find;
    QPointer<QAbstractItemView> m_view;
    QPointer<QAbstractItemModel> m_model;
    ItemViewTextMatch m_match;
    bool m_forward;
    QVector<int> m_columns; // in walk order
    // The model itself, or the source behind its reading hold.
    QPointer<const ItemModelWithDelegates> m_records;
    const HeldRowsModel* m_held = nullptr; // the model, when it is a reading hold
};

bool ItemViewFind::Walk::pause()
{
    if (m_find->d_func()->pace.elapsed() >= PaceMs) {
        QCoreApplication::processEvents();
        if (!m_find)
            return false;
        m_find->d_func()->pace.restart();
    }
    return !m_find->d_func()->stop && m_find->d_func()->view && m_view && m_model && m_view->model() == m_model
        && (!m_held || m_records);
}

QModelIndex ItemViewFind::Walk::tryRow(const QModelIndex& row, int from, int to) const
{
    for (int i = from; i < to; ++i) {
        const QModelIndex cell = m_model->index(row.row(), m_columns.at(i), row.parent());
        if (m_match.acceptsData(cell.data(Qt::DisplayRole), cell.column()))
            return cell;
    }
    return QModelIndex();
}

QModelIndex ItemViewFind::Walk::tryRows(
    const QModelIndex& from, const QModelIndex& stop, int count, int& tried, QModelIndex& next) const
{
    QModelIndex row = from;
    tried = 0;
    do {
        const QModelIndex hit = tryRow(row, 0, m_columns.size());
        if (hit.isValid())
            return hit;
        row = step(row);
    } while (++tried < count && row.isValid() && row != stop);
    next = row;
    return QModelIndex();
}

QModelIndex ItemViewFind::Walk::tryRange(
    const QModelIndex& from, const QModelIndex& stop, int count, int& tried, QModelIndex& next) const
{
    // The rows up to the end of the table (or the start row), in walk order.
    const int n = m_model->rowCount();
    const int first = from.row();
    const int end = stop.row();
    const int ahead = m_forward ? (end > first ? end - first : n - first) : (end < first ? first - end : first + 1);
    tried = std::min(count, ahead);
    const int direction = m_forward ? 1 : -1;
    // Slices run on the worker threads, each reading its own rows; a slice gives up once an earlier one has a hit.
    const int slices = std::min(tried, 4 * (ParallelMap::workerCount() + 1));
    // Plain pointers for the workers: nothing is deleted while they run.
    const ItemModelWithDelegates* records = m_records;
    const QAbstractItemModel* model = m_model;
    std::atomic<int> firstHit { tried };
    QVector<int> hitRow(slices, tried);
    QVector<int> hitColumn(slices, -1);
    ParallelMap::forEachIndex(slices, [&](int slice) {
        const int last = int(qint64(tried) * (slice + 1) / slices);
        for (int k = int(qint64(tried) * slice / slices); k < last && k < firstHit.load(std::memory_order_relaxed);
             ++k) {
            const int row = first + direction * k;
            const Record record = m_held ? m_held->recordAt(row) : records->recordByIndex(model->index(row, 0));
            for (int column : m_columns) {
                if (m_match.acceptsData(records->dataByRecord(record, column, Qt::DisplayRole), column)) {
                    hitRow[slice] = k;
                    hitColumn[slice] = column;
                    int seen = firstHit.load();
                    while (k < seen && !firstHit.compare_exchange_weak(seen, k)) { }
                    return;
                }
            }
        }
    });
    int after = first + direction * tried;
    if (after >= n)
        after = 0;
    else if (after < 0)
        after = n - 1;
    next = m_model->index(after, 0);
    const int slice = int(std::min_element(hitRow.begin(), hitRow.end()) - hitRow.begin());
    if (slices == 0 || hitRow.at(slice) >= tried)
        return QModelIndex();
    return m_model->index(first + direction * hitRow.at(slice), hitColumn.at(slice));
}

QModelIndex ItemViewFind::Walk::run(const QModelIndex& current, bool incremental)
{
    const int count = m_columns.size();
    int position = m_columns.indexOf(current.column());
    if (position < 0) {
        // A hidden current column: the whole start row lies ahead.
        position = 0;
        incremental = true;
    }
    const QModelIndex startRow = current.siblingAtColumn(0);
    QModelIndex hit = tryRow(startRow, incremental ? position : position + 1, count);
    if (hit.isValid())
        return hit;

    QPersistentModelIndex start(startRow);
    bool startGone = false;
    QPersistentModelIndex cursor(step(startRow));
    const qint64 limit = 2 * qint64(m_model->rowCount()) + MaxBlock;
    qint64 visited = 0;
    int block = FirstBlock;
    QElapsedTimer blockTime;
    while (cursor.isValid() && cursor != start && visited < limit) {
        const int cursorRow = cursor.row();
        const bool flat = !cursor.parent().isValid();
        if (!pause() || m_model->rowCount() == 0)
            return QModelIndex();
        // A removed row hands its place to the row that took it.
        if (!cursor.isValid() && flat)
            cursor = m_model->index(std::min(cursorRow, m_model->rowCount() - 1), 0);
        if (!cursor.isValid())
            return QModelIndex();
        if (!start.isValid()) {
            start = cursor; // the start row is gone: one round from here
            startGone = true;
        }
        blockTime.start();
        int tried = 0;
        QModelIndex next;
        hit = m_records ? tryRange(cursor, start, block, tried, next) : tryRows(cursor, start, block, tried, next);
        if (hit.isValid())
            return hit;
        visited += tried;
        cursor = next;
        const qint64 ms = blockTime.elapsed();
        if (ms < BlockMs / 2)
            block = std::min(block * 2, MaxBlock);
        else if (ms > 2 * BlockMs)
            block = std::max(block / 2, MinBlock);
    }
    // Rows that came in meanwhile may have moved the start row; only a removed one has no columns left to try.
    if (!start.isValid() || startGone)
        return QModelIndex();
    // Back at the start row: the columns before the current one, and the current cell itself for a plain step.
    return tryRow(start, 0, incremental ? position : position + 1);
}

ItemViewFind::ItemViewFind(QObject* parent)
    : QObject(parent)
    , m_d(new ItemViewFindPrivate)
{ }

ItemViewFind::~ItemViewFind()
{
    Q_D(ItemViewFind);
    d->stop = true;
    filter(QString());
}

void ItemViewFind::setView(QAbstractItemView* view)
{
    Q_D(ItemViewFind);
    d->view = view;
}

void ItemViewFind::setHeader(QHeaderView* header)
{
    Q_D(ItemViewFind);
    d->header = header;
}

QAbstractItemView* ItemViewFind::view() const
{
    Q_D(const ItemViewFind);
    return d->view.data();
}

QHeaderView* ItemViewFind::header() const
{
    Q_D(const ItemViewFind);
    return d->header.data();
}

QList<int> ItemViewFind::columnList() const
{
    Q_D(const ItemViewFind);
    QList<int> columns;
    const QAbstractItemModel* model = d->view ? d->view->model() : nullptr;
    if (!model)
        return columns;
    if (!d->header || d->header->model() != model) {
        for (int column = 0; column < model->columnCount(); ++column)
            columns << column;
        return columns;
    }
    for (int visual = 0; visual < d->header->count(); ++visual) {
        const int logical = d->header->logicalIndex(visual);
        if (logical >= 0 && !d->header->isSectionHidden(logical))
            columns << logical;
    }
    return columns;
}

FilterIndexModel* ItemViewFind::filterIndexModel() const
{
    Q_D(const ItemViewFind);
    QAbstractItemModel* model = d->view ? d->view->model() : nullptr;
    if (auto* held = qobject_cast<HeldRowsModel*>(model))
        return held->source();
    return qobject_cast<FilterIndexModel*>(model);
}

bool ItemViewFind::isRunning() const
{
    return d_func()->running;
}

bool ItemViewFind::isFilterAvailable() const
{
    const FilterIndexModel* model = filterIndexModel();
    return model && model->filtersModel();
}

bool ItemViewFind::find(const QString& text, bool forward, bool incremental)
{
    Q_D(ItemViewFind);
    if (text.isEmpty() || d->running || !d->view || !d->view->model())
        return false;
    // The search runs the event loop, which may delete this finder (its window closed).
    const QPointer<ItemViewFind> alive(this);
    d->running = true;
    d->stop = false;
    const bool found = search(text, forward, incremental);
    if (alive)
        d->running = false;
    return found;
}

bool ItemViewFind::search(const QString& text, bool forward, bool incremental)
{
    Q_D(ItemViewFind);
    const BusyScope busy;
    QAbstractItemModel* model = d->view->model();
    const QList<int> columns = columnList();
    if (columns.isEmpty() || model->rowCount() == 0)
        return false;
    QModelIndex current = d->view->currentIndex();
    if (!current.isValid()) {
        current = model->index(0, columns.first());
        incremental = true;
    }
    d->pace.start();
    const QPointer<ItemViewFind> alive(this);
    const QModelIndex hit = Walk(this, text, forward).run(current, incremental);
    if (!alive || !hit.isValid() || d->stop || !d->view)
        return false;
    select(hit);
    return true;
}

void ItemViewFind::select(const QModelIndex& hit)
{
    Q_D(ItemViewFind);
    QItemSelectionModel* selection = d->view->selectionModel();
    if (!selection)
        return;
    selection->setCurrentIndex(hit,
        QItemSelectionModel::Clear | QItemSelectionModel::Select | QItemSelectionModel::Current
            | QItemSelectionModel::Rows);
    d->view->scrollTo(hit);
}

void ItemViewFind::stop()
{
    Q_D(ItemViewFind);
    d->stop = true;
}

void ItemViewFind::filter(const QString& text)
{
    Q_D(ItemViewFind);
    FilterIndexModel* model = filterIndexModel();
    RowFiltersModel* filters = model ? model->filtersModel() : nullptr;
    if (text.isEmpty()) {
        if (!d->filter)
            return;
        if (filters) {
            const int row = filters->indexOf(d->filter);
            // Off first, so that the model rebuilds without it; leaving the set rebuilds nothing.
            if (row >= 0)
                filters->setFilterEnabled(row, false);
            filters->removeFilter(d->filter);
        }
        delete d->filter;
        return;
    }
    if (!filters)
        return;
    if (!d->filter) {
        d->filter = new ItemViewFilter(this, this);
        filters->addFilter(d->filter);
    }
    filters->setFilterValueAndEnabled(filters->indexOf(d->filter), text, true);
}
