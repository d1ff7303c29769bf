#include "models/tableindexmodel.h"

#include "columns/columnmodeldelegate.h"
#include "core/db/guilog.h"
#include "core/db/indexdependbase.h"
#include "core/db/table.h"
#include "models/private/concurrentsort.h"
#include "models/private/indexdepend.h"
#include "models/private/progresshelper.h"
#include "models/private/tableindexmodel_p.h"

#include <QElapsedTimer>
#include <QSet>

#include <algorithm>
#include <climits>

namespace {

// Source records from which a build filters them in parallel.
const int ParallelBuild = 8192;
// Records of the source per work item of a large build: a few milliseconds of filtering.
const int BuildSlice = 4096;

} // namespace

// ---- construction ----

TableIndexModel::TableIndexModel(Table* table, QObject* parent)
    : FilterIndexModel(table, *new TableIndexModelPrivate, parent)
{ }

TableIndexModel::TableIndexModel(IndexDependBase* depend, QObject* parent)
    : FilterIndexModel(depend, *new TableIndexModelPrivate, parent)
{
    Q_D(TableIndexModel);
    d->owner = dynamic_cast<const TableIndexModel*>(depend->owner());
}

TableIndexModel::TableIndexModel(Table* table, TableIndexModelPrivate& dd, QObject* parent)
    : FilterIndexModel(table, dd, parent)
{ }

TableIndexModel::TableIndexModel(IndexDependBase* depend, TableIndexModelPrivate& dd, QObject* parent)
    : FilterIndexModel(depend, dd, parent)
{
    Q_D(TableIndexModel);
    d->owner = dynamic_cast<const TableIndexModel*>(depend->owner());
}

TableIndexModel::~TableIndexModel() = default;

// ---- rows and records ----

const Record& TableIndexModel::at(int row) const
{
    Q_D(const TableIndexModel);
    return d->list.at(row);
}

const Record& TableIndexModel::record(const QModelIndex& index) const
{
    Q_D(const TableIndexModel);
    if (!index.isValid() || index.parent().isValid() || index.model() != this)
        return Record::null;
    return d->list.at(index.row());
}

Record TableIndexModel::recordByIndex(const QModelIndex& index) const
{
    return record(index);
}

QModelIndex TableIndexModel::indexByRecord(const Record& record, int column) const
{
    if (record.isNull())
        return QModelIndex();
    const int row = indexOf(record);
    return row < 0 ? QModelIndex() : index(row, column);
}

QModelIndex TableIndexModel::indexColumn(const QModelIndex& index, int column) const
{
    if (!index.isValid())
        return QModelIndex();
    return this->index(index.row(), column);
}

void TableIndexModel::setColumnDelegate(const QString& name, ColumnModelDelegate* delegate, const QString& title)
{
    const int column = columnIndex(name);
    if (column < 0)
        throw tr("Колонка '%1' не найдена в модели '%2'").arg(name, getClassName());
    ItemModelWithDelegates::setColumnDelegate(column, delegate, title);
}

IndexIterative::const_iterator TableIndexModel::begin() const
{
    Q_D(const TableIndexModel);
    return d->list.begin();
}

IndexIterative::const_iterator TableIndexModel::end() const
{
    Q_D(const TableIndexModel);
    return d->list.end();
}

int TableIndexModel::count() const
{
    Q_D(const TableIndexModel);
    return d->list.count();
}

Table* TableIndexModel::table() const
{
    return ItemIndexModel::table();
}

int TableIndexModel::rowCount(const QModelIndex& parent) const
{
    Q_D(const TableIndexModel);
    return parent.isValid() ? 0 : d->list.count();
}

QModelIndex TableIndexModel::index(int row, int column, const QModelIndex& parent) const
{
    Q_D(const TableIndexModel);
    if (parent.isValid() || row < 0 || row >= d->list.count() || column < 0 || column >= columnCount())
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex TableIndexModel::parent(const QModelIndex&) const
{
    return QModelIndex();
}

Qt::ItemFlags TableIndexModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

QVariant TableIndexModel::data(const QModelIndex& index, int role) const
{
    Q_D(const TableIndexModel);
    if (!index.isValid() || index.parent().isValid() || index.row() >= d->list.count())
        return QVariant();
    // The columns of one row are read one after another: keep its handle.
    if (d->cachedRow != index.row()) {
        d->cachedRecord = d->list.at(index.row());
        d->cachedRow = index.row();
    }
    return dataByRecord(d->cachedRecord, index.column(), role);
}

// ---- searching ----

int TableIndexModel::lowerBound(const Record& record) const
{
    Q_D(const TableIndexModel);
    return d->list.partitionPoint([&](const Record& x) { return compare(x, record) < 0; });
}

int TableIndexModel::upperBound(const Record& record) const
{
    Q_D(const TableIndexModel);
    return d->list.partitionPoint([&](const Record& x) { return compare(x, record) <= 0; });
}

int TableIndexModel::indexOf(const Record& record) const
{
    Q_D(const TableIndexModel);
    if (record.isNull())
        return -1;
    const int near = d->rowNear(record, INT_MAX);
    return near >= 0 ? near : d->rowAnywhere(record);
}

bool TableIndexModel::contains(const Record& record) const
{
    return indexOf(record) >= 0;
}

// ---- building ----

void TableIndexModel::build()
{
    Q_D(TableIndexModel);
    QElapsedTimer timer;
    timer.start();
    startBuild();
    const QString message = tr("Построение №%1 индекса табличной модели по таблице %2 ")
                                .arg(buildNumber())
                                .arg(table() ? table()->name() : QString());
    {
        // Two passes over the source's records: filtered, then the kept ones sorted.
        ProgressHelper progress(message, source() ? qint64(source()->count()) : 0, 2);
        beginResetModel();
        d->list.clear();
        d->cachedRow = -1;
        d->cachedRecord = Record();
        if (source() && source()->count() >= ParallelBuild)
            filterInParallel(progress);
        else if (source()) {
            qint64 n = 0;
            for (const Record& r : *source()) {
                progress.progress(++n);
                if (filter(r))
                    d->list.append(r);
            }
        }
        sortRows(&progress);
        progress.finish();
        endResetModel();
        qCDebug(QGuiLog).noquote() << tr("Табличная модель %1 готова к отображению. Построение №%2: %3 строк %4 мсек")
                                          .arg(table() ? table()->name() : QString())
                                          .arg(buildNumber())
                                          .arg(d->list.count())
                                          .arg(timer.elapsed());
    }
}

void TableIndexModel::filterInParallel(ProgressHelper& progress)
{
    Q_D(TableIndexModel);
    // A filter may read every shown cell of a row (a find's text): slices of the source are tried on the worker
    // threads and kept in source order. The slices are small enough for the calling thread to run many, and to
    // tell the host after each how far the build got.
    QVector<const Record*> all;
    all.reserve(source()->count());
    for (const Record& r : *source())
        all << &r;
    const int n = all.size();
    const int sliceCount = (n + BuildSlice - 1) / BuildSlice;
    QVector<QVector<const Record*>> kept(sliceCount);
    ProgressPhase filtering(&progress, 0, n, n);
    ParallelMap::forEachIndex(sliceCount, [&](int k) {
        const int last = qMin(n, (k + 1) * BuildSlice);
        for (int i = k * BuildSlice; i < last; ++i) {
            if (filter(*all.at(i)))
                kept[k] << all.at(i);
        }
        filtering.add(last - k * BuildSlice);
    });
    for (const QVector<const Record*>& slice : kept) {
        for (const Record* r : slice)
            d->list.append(*r);
    }
}

void TableIndexModel::clear()
{
    Q_D(TableIndexModel);
    beginResetModel();
    d->list.clear();
    d->cachedRow = -1;
    d->cachedRecord = Record();
    endResetModel();
}

void TableIndexModel::rebuild()
{
    // One reset for the view, whatever clear() and build() send inside.
    beginResetModel();
    const bool blocked = blockSignals(true);
    clear();
    build();
    blockSignals(blocked);
    endResetModel();
}

void TableIndexModel::resort()
{
    sortRows(nullptr);
}

void TableIndexModel::sortRows(ProgressHelper* progress)
{
    Q_D(TableIndexModel);
    qint64 from = progress ? progress->total() / 2 : 0;
    if (d->owner) {
        // Records that tie stand in the owner's order: the rows are taken in that order again before the sort,
        // in a fifth of the sort's share of the count.
        const qint64 to = progress ? from + (progress->total() - from) / 5 : 0;
        ProgressPhase ordering(progress, from, to, qint64(d->list.count()) + d->owner->count());
        constexpr int Step = 4096;
        QSet<const void*> shown;
        shown.reserve(d->list.count());
        int walked = 0;
        for (const Record& r : d->list) {
            shown.insert(r.handle());
            if (++walked % Step == 0)
                ordering.add(Step);
        }
        PartitionList<Record> ordered;
        for (const Record& r : *d->owner) {
            if (shown.contains(r.handle()))
                ordered.append(r);
            if (++walked % Step == 0)
                ordering.add(Step);
        }
        std::swap(d->list, ordered);
        from = to;
    }
    if (!d->sortByStoredKeys(d->list, progress, from)) {
        ProgressPhase sorting(
            progress, from, progress ? progress->total() : 0, ConcurrentSort::comparisons(d->list.count()));
        ConcurrentSort::sort(d->list.begin(), d->list.end(), LessThan { this }, &sorting);
    }
    d->cachedRow = -1;
}

int TableIndexModel::default_compare(const Record& a, const Record& b) const
{
    Q_D(const TableIndexModel);
    return d->owner ? d->owner->compare(a, b) : 0;
}

void TableIndexModel::sourceDestroyed()
{
    Q_D(TableIndexModel);
    d->owner = nullptr;
    FilterIndexModel::sourceDestroyed();
}

QList<QPair<Record, int>> TableIndexModel::savePersistent() const
{
    QList<QPair<Record, int>> saved;
    for (const QModelIndex& index : persistentIndexList())
        saved << qMakePair(at(index.row()), index.column());
    return saved;
}

void TableIndexModel::restorePersistent(const QList<QPair<Record, int>>& saved)
{
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const auto& entry : saved)
        to << indexByRecord(entry.first, entry.second);
    changePersistentIndexList(from, to);
}

void TableIndexModel::sort(int column, Qt::SortOrder order)
{
    if (column == sortColumn() && order == sortOrder())
        return;
    Q_EMIT layoutAboutToBeChanged();
    const auto saved = savePersistent();
    setSort(column, order);
    resort();
    restorePersistent(saved);
    Q_EMIT layoutChanged();
}

bool TableIndexModel::moveRows(const QModelIndex& sourceParent, int sourceRow, int count,
    const QModelIndex& destinationParent, int destinationChild)
{
    Q_D(TableIndexModel);
    if (destinationChild == sourceRow || destinationChild == sourceRow + 1)
        return true;
    const int rows = d->list.count();
    if (sourceParent.isValid() || destinationParent.isValid() || count <= 0 || sourceRow < 0 || sourceRow + count > rows
        || destinationChild < 0 || destinationChild > rows)
        return false;
    if (!beginMoveRows(sourceParent, sourceRow, sourceRow + count - 1, destinationParent, destinationChild))
        return false;
    d->list.move(sourceRow, sourceRow + count - 1, destinationChild);
    d->cachedRow = -1;
    endMoveRows();
    return true;
}

// ---- single changes ----

void TableIndexModel::add(const Record& record)
{
    Q_D(TableIndexModel);
    const int p = d->owner ? d->exactUpperBound(record) : upperBound(record); // after the records equal to it
    beginInsertRows(QModelIndex(), p, p);
    d->list.insert(p, record);
    d->cachedRow = -1;
    endInsertRows();
}

void TableIndexModel::remove(const Record& record, int)
{
    Q_D(TableIndexModel);
    const int p = indexOf(record);
    if (p < 0)
        return;
    beginRemoveRows(QModelIndex(), p, p);
    d->list.removeAt(p);
    d->cachedRow = -1;
    endRemoveRows();
}

void TableIndexModel::update(const Record& record, int firstColumn, int lastColumn, int row)
{
    Q_D(TableIndexModel);
    if (!filter(record)) {
        remove(record, -1);
        return;
    }
    int p = (row >= 0 && d->list.at(row) == record) ? row : d->rowNear(record, INT_MAX);
    const bool placed = p >= 0;
    if (!placed) {
        p = d->rowAnywhere(record); // its sort key changed
        if (p < 0) {
            add(record); // newly accepted
            return;
        }
    }
    if (placed && !d->owner) {
        const bool afterPrevious = p == 0 || !(compare(d->list.at(p - 1), record) > 0);
        const bool beforeNext = p == d->list.count() - 1 || !(compare(record, d->list.at(p + 1)) > 0);
        if (afterPrevious && beforeNext) {
            dataChangedRow(p, firstColumn, lastColumn);
            return;
        }
    }
    // Out of place (or, over another model, not known to be in place): its place among the others.
    const Record keep = record;
    d->list.removeAt(p);
    const int q = d->owner ? d->exactUpperBound(keep) : upperBound(keep);
    d->list.insert(p, keep);
    if (q == p) {
        dataChangedRow(p, firstColumn, lastColumn);
        return;
    }
    const int destination = q < p ? q : q + 1;
    if (beginMoveRows(QModelIndex(), p, p, QModelIndex(), destination)) {
        d->list.removeAt(p);
        d->list.insert(q, keep);
        d->cachedRow = -1; // a row read while the views prepared for the move is another record's now
        endMoveRows();
    }
}

// ---- applying a batch ----

void TableIndexModel::process(
    const QList<Record>&, const QList<Record>&, int firstColumn, int lastColumn, const QList<Record>&)
{
    Q_D(TableIndexModel);
    restartTimer();

    // 1. Rows that stay: one dataChanged per range over the columns showing the changed fields.
    int low = 0;
    int high = columnCount() - 1;
    if (firstColumn != -1 && lastColumn != -1)
        mapColumnFromTable(firstColumn, lastColumn, low, high);
    if (low <= high) {
        for (int i = 0; i < d->rowsChanged.rangeCount(); ++i) {
            const auto range = d->rowsChanged.range(i);
            Q_EMIT dataChanged(index(range.start, low), index(range.end - 1, high), {});
        }
    }

    // 2. Removals, last range first so that the earlier rows keep their numbers.
    for (int i = d->rowsToRemove.rangeCount() - 1; i >= 0; --i) {
        const auto range = d->rowsToRemove.range(i);
        beginRemoveRows(QModelIndex(), range.start, range.end - 1);
        d->cachedRow = -1;
        d->list.remove(range.start, range.size());
        endRemoveRows();
    }

    // 3. Rows whose place changed: taken out and merged back under one layout change.
    if (!d->rowsToMove.isEmpty()) {
        const RangeSet<int> moving = d->rowsToMove.afterRemoving(d->rowsToRemove);
        Q_EMIT layoutAboutToBeChanged();
        const auto saved = savePersistent();
        // No observer sees the steps of a layout change: the rows leave and come back in one pass each.
        std::vector<Record> taken;
        taken.reserve(std::size_t(moving.totalSize()));
        for (int i = 0; i < moving.rangeCount(); ++i) {
            const auto range = moving.range(i);
            std::move(d->list.iteratorAt(range.start), d->list.iteratorAt(range.end), std::back_inserter(taken));
        }
        d->list.removeRanges(moving);
        const std::vector<int> places = d->owner ? d->sortWithExactPlaces(taken) : d->sortWithPlaces(taken);
        d->list.insertMany(places, taken);
        d->cachedRow = -1;
        restorePersistent(saved);
        Q_EMIT layoutChanged();
    }

    // 4. New rows, sorted, inserted as one block per gap between two resident rows.
    if (!d->recordsToInsert.isEmpty()) {
        QList<Record>& incoming = d->recordsToInsert;
        // Each record's place among the rows before the batch; the records inserted ahead of it shift it by
        // their number, since they all sort before it.
        const std::vector<int> places = d->owner ? d->sortWithExactPlaces(incoming) : d->sortWithPlaces(incoming);
        int inserted = 0;
        int i = 0;
        while (i < incoming.size()) {
            int j = i + 1;
            while (j < incoming.size() && places[std::size_t(j)] == places[std::size_t(i)])
                ++j;
            const int place = places[std::size_t(i)] + inserted;
            beginInsertRows(QModelIndex(), place, place + (j - i) - 1);
            d->list.insert(place, incoming.begin() + i, incoming.begin() + j);
            d->cachedRow = -1;
            endInsertRows();
            inserted += j - i;
            i = j;
        }
    }

    d->rowsToRemove.clear();
    d->rowsChanged.clear();
    d->rowsToMove.clear();
    d->recordsToInsert.clear();
    accumulateElapsed();
}
