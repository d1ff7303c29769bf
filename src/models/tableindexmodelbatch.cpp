// The analysis of a batch: which rows leave, change in place, move or arrive, judged on worker threads that
// only read the model; process() then applies the verdicts with the model's signals.

#include "models/tableindexmodel.h"

#include "columns/columnmodeldelegate.h"
#include "core/db/table.h"
#include "models/parallelmap.h"
#include "models/private/concurrentsort.h"
#include "models/private/indexdepend.h"
#include "models/private/progresshelper.h"
#include "models/private/storedsortkeys.h"
#include "models/private/tableindexmodel_p.h"

#include <QSet>

#include <algorithm>
#include <typeinfo>

namespace {

const int SerialLimit = 512; // fewer inputs: one work item on the calling thread
const int ItemSize = 256;
const int ManyInputs = 8192;
const int MaxItems = 32;
// Rows from a lower bound whose handles a batch's search reads before the walk over the list takes over: about
// the cost of the search itself, as no value is read.
const int RunScan = 2048;

// A batch's records lie scattered over the heap, and judging one reads its row first: the rows a few records
// ahead are asked for meanwhile, so that their cache misses overlap instead of following one another.
const int PrefetchAhead = 8;

void prefetchRecord(const Record& record)
{
    if (const char* row = reinterpret_cast<const char*>(record.rawData())) {
        __builtin_prefetch(row);
        __builtin_prefetch(row + 64);
    }
}

int itemCount(int n)
{
    if (n < SerialLimit)
        return 1;
    return n < ManyInputs ? n / ItemSize : MaxItems;
}

// Work items over n inputs: make(first, last) for each slice.
template<typename Make>
auto slices(int n, Make make)
{
    const int c = itemCount(n);
    QVector<decltype(make(0, 0))> items;
    for (int k = 0; k < c; ++k)
        items << make(int(qint64(n) * k / c), k == c - 1 ? n : int(qint64(n) * (k + 1) / c));
    return items;
}

// Runs the work items, in parallel when there is more than one, and merges their outputs in item order.
template<typename Item>
TableIndexModelPrivate::Outputs runItems(QVector<Item>& items)
{
    if (items.size() == 1)
        items.first()();
    else
        ParallelMap::blockingMap(items, [](Item& item) { item(); });
    TableIndexModelPrivate::Outputs merged;
    for (Item& item : items)
        TableIndexModelPrivate::merge(merged, item.out);
    return merged;
}

} // namespace

// ---- analysis work items (worker threads: they only read the model) ----

int TableIndexModelPrivate::rowNear(const Record& record, int limit) const
{
    Q_Q(const TableIndexModel);
    int p = q->lowerBound(record);
    for (int steps = 0; p < list.count() && steps < limit; ++p, ++steps) {
        const Record& at = list.at(p);
        if (at == record)
            return p;
        if (q->compare(at, record) > 0)
            break;
    }
    return -1;
}

bool TableIndexModelPrivate::stockComparison() const
{
    Q_Q(const TableIndexModel);
    // A subclass may order its rows otherwise (by key, by the user's order) or filter them otherwise: only the
    // classes known to keep compare(), default_compare() and filter() as they are here may be sorted without asking
    // them, or spared the reading of records a batch leaves in place.
    const std::type_info& type = typeid(*q);
    return type == typeid(TableIndexModel) || type == typeid(IndexDepend<TableIndexModel>);
}

bool TableIndexModelPrivate::fieldsKeepOrderAndRows(int firstField, int lastField) const
{
    Q_Q(const TableIndexModel);
    const int sorted = storedSortField();
    return firstField >= 0 && lastField >= 0 && sorted >= 0 && (sorted < firstField || sorted > lastField)
        && !q->filterReadsFields(firstField, lastField);
}

int TableIndexModelPrivate::storedSortField() const
{
    Q_Q(const TableIndexModel);
    const int column = q->sortColumn();
    if (owner || column < 0 || column >= q->columnCount() || !q->table() || !stockComparison())
        return -1;
    if (const ColumnModelDelegate* delegate = q->columnDelegate(column); delegate && !delegate->comparesRawFields())
        return -1;
    const int stored = q->tableColumn(column);
    return stored >= 0 && StoredSortKeys::supports(q->table()->columnType(stored)) ? stored : -1;
}

template<typename Sequence>
bool TableIndexModelPrivate::sortByStoredKeys(Sequence& records, ProgressHelper* progress, qint64 from) const
{
    Q_Q(const TableIndexModel);
    const int stored = storedSortField();
    const qint64 n = records.end() - records.begin();
    if (stored < 0 || n < 2)
        return false;
    // The steps' shares of the count follow their times at a million rows: the records are read once each for the
    // keys and moved once each at the end, scattered reads both.
    const qint64 to = progress ? progress->total() : 0;
    const qint64 made = from + (to - from) / 5;
    const qint64 sorted = from + (to - from) / 2;
    StoredSortKeys keys;
    ProgressPhase making(progress, from, made, n);
    if (!keys.make(*q->table(), stored, records.begin(), records.end(), &making))
        return false;
    ProgressPhase sorting(progress, made, sorted, ConcurrentSort::comparisons(n));
    keys.sort(q->sortOrder(), &sorting);
    ProgressPhase permuting(progress, sorted, to, n);
    keys.permute(records.begin(), &permuting);
    return true;
}

template<typename Sequence>
std::vector<int> TableIndexModelPrivate::sortWithPlaces(Sequence& records) const
{
    Q_Q(const TableIndexModel);
    if (!sortByStoredKeys(records))
        ConcurrentSort::sort(records.begin(), records.end(), TableIndexModel::LessThan { q });
    return placesOf(records, [q](const Record& a, const Record& b) { return q->compare(a, b); });
}

template<typename Sequence, typename Compare>
std::vector<int> TableIndexModelPrivate::placesOf(const Sequence& records, Compare cmp) const
{
    const int n = int(records.size());
    std::vector<int> bounds(static_cast<std::size_t>(n));
    struct Slice
    {
        int first;
        int last;
    };
    auto items = slices(n, [](int first, int last) { return Slice { first, last }; });
    const int rows = list.count();
    // Whether r sorts before the row, the end counting as after everything: r's upper bound is the first such row.
    auto before = [&](const Record& r, int row) { return row >= rows || cmp(r, list.at(row)) < 0; };
    auto search = [&](const Slice& slice) {
        int bound = 0;
        for (int i = slice.first; i < slice.last; ++i) {
            const Record& r = records[i];
            if (i == slice.first) {
                bound = list.partitionPoint([&](const Record& x) { return cmp(x, r) <= 0; });
            } else if (!before(r, bound)) {
                // The rows before the previous bound do not sort after r either: gallop on from there.
                int low = bound + 1;
                int high = low;
                int step = 1;
                while (high < rows && !before(r, high)) {
                    low = high + 1;
                    high += step;
                    step *= 2;
                }
                high = qMin(high, rows);
                while (low < high) {
                    const int mid = low + (high - low) / 2;
                    if (before(r, mid))
                        high = mid;
                    else
                        low = mid + 1;
                }
                bound = low;
            }
            bounds[std::size_t(i)] = bound;
        }
    };
    if (items.size() == 1)
        search(items.first());
    else
        ParallelMap::blockingMap(items, search);
    return bounds;
}

// A model over another model places records that tie under its comparison by the owner's rows, which it reads
// only for those records and the rows they tie with: one walk over each run of the owner's equal rows.
template<typename Sequence>
TableIndexModelPrivate::OwnerRows TableIndexModelPrivate::ownerRowsOfTies(const Sequence& sorted) const
{
    Q_Q(const TableIndexModel);
    OwnerRows rows;
    QSet<const void*> wanted;
    QVector<const Record*> probes; // one record of each tie
    const int n = int(sorted.size());
    for (int i = 0; i < n; ++i) {
        const Record& r = sorted[i];
        const int low = q->lowerBound(r);
        const int high = q->upperBound(r);
        const bool ties = low < high || (i > 0 && q->compare(sorted[i - 1], r) == 0)
            || (i + 1 < n && q->compare(r, sorted[i + 1]) == 0);
        if (!ties)
            continue;
        wanted.insert(r.handle());
        for (int row = low; row < high; ++row)
            wanted.insert(list.at(row).handle());
        probes << &r;
    }
    QSet<int> walked;
    for (const Record* r : qAsConst(probes)) {
        // Records that tie here tie in the owner too: they stand in one run of its equal rows.
        const int first = owner->lowerBound(*r);
        if (walked.contains(first))
            continue;
        walked.insert(first);
        const int last = owner->upperBound(*r);
        auto it = owner->d_func()->list.iteratorAt(first);
        for (int row = first; row < last; ++row, ++it) {
            if (wanted.contains(it->handle()))
                rows.insert(it->handle(), row);
        }
    }
    return rows;
}

int TableIndexModelPrivate::compareExactly(const Record& a, const Record& b, const OwnerRows& rows) const
{
    Q_Q(const TableIndexModel);
    const int c = q->compare(a, b);
    if (c != 0 || rows.isEmpty())
        return c;
    const int ra = rows.value(a.handle(), -1);
    const int rb = rows.value(b.handle(), -1);
    return ra < rb ? -1 : (ra > rb ? 1 : 0);
}

template<typename Sequence>
std::vector<int> TableIndexModelPrivate::sortWithExactPlaces(Sequence& records) const
{
    Q_Q(const TableIndexModel);
    ConcurrentSort::sort(records.begin(), records.end(), TableIndexModel::LessThan { q });
    const OwnerRows rows = ownerRowsOfTies(records);
    auto exactly = [this, &rows](const Record& a, const Record& b) { return compareExactly(a, b, rows); };
    if (!rows.isEmpty())
        std::stable_sort(
            records.begin(), records.end(), [&](const Record& a, const Record& b) { return exactly(a, b) < 0; });
    return placesOf(records, exactly);
}

int TableIndexModelPrivate::exactUpperBound(const Record& record) const
{
    const std::vector<Record> one { record };
    const OwnerRows rows = ownerRowsOfTies(one);
    return list.partitionPoint([&](const Record& x) { return compareExactly(x, record, rows) <= 0; });
}

int TableIndexModelPrivate::rowAnywhere(const Record& record) const
{
    return list.indexIn(record, 0, list.count());
}

int TableIndexModelPrivate::rowInRun(const Record& record) const
{
    Q_Q(const TableIndexModel);
    return list.indexIn(record, q->lowerBound(record), RunScan);
}

void TableIndexModelPrivate::classify(int row, const Record& next, Outputs& out) const
{
    Q_Q(const TableIndexModel);
    // Over another model, a row whose keys changed may tie with new neighbours, among which only the owner's
    // rows (known once the owner applied the batch) tell its place: it is placed afresh.
    if (owner && q->compare(list.at(row), next) != 0) {
        out.move.insert(row);
        return;
    }
    const bool beforePrevious = row > 0 && q->compare(next, list.at(row - 1)) < 0;
    const bool afterNext = row < list.count() - 1 && q->compare(next, list.at(row + 1)) > 0;
    if (beforePrevious || afterNext) {
        out.move.insert(row);
    } else {
        out.changed.insert(row);
        out.judged.insert(row);
    }
}

void TableIndexModelPrivate::merge(Outputs& into, Outputs& from)
{
    into.remove.insert(from.remove);
    into.changed.insert(from.changed);
    into.judged.insert(from.judged);
    into.move.insert(from.move);
    into.insert += from.insert;
    into.unplaced.insert(into.unplaced.end(), from.unplaced.begin(), from.unplaced.end());
}

void TableIndexModelPrivate::PreprocessRemoveParams::operator()()
{
    const TableIndexModelPrivate* d = model->d_func();
    for (int i = first; i < last; ++i) {
        if (i + PrefetchAhead < last)
            prefetchRecord(removed->at(i + PrefetchAhead));
        const Record& r = removed->at(i);
        if (!model->filter(r))
            continue; // never shown
        const int row = search ? d->rowInRun(r) : -1;
        if (row >= 0)
            out.remove.insert(row);
        else
            out.unplaced.push_back({ r.handle(), nullptr, Unplaced::Remove });
    }
}

void TableIndexModelPrivate::PreprocessUpdateParams::operator()()
{
    const TableIndexModelPrivate* d = model->d_func();
    for (int i = first; i < last; ++i) {
        if (i + PrefetchAhead < last) {
            prefetchRecord(updated->at(i + PrefetchAhead));
            prefetchRecord(updatedNew->at(i + PrefetchAhead));
        }
        const Record& now = updated->at(i);
        const Record& next = updatedNew->at(i);
        const bool shown = model->filter(now);
        const bool wanted = model->filter(next);
        if (!shown && !wanted)
            continue;
        if (!shown) {
            out.insert << now; // enters with its new values
            continue;
        }
        // Equal keys order it against every other record as before: it stays where it is, wherever that is.
        const bool inPlace = wanted && model->compare(now, next) == 0;
        const int row = search ? d->rowInRun(now) : -1;
        if (inPlace) {
            if (row >= 0)
                out.changed.insert(row);
            else
                out.unplaced.push_back({ now.handle(), nullptr, Unplaced::Change });
            continue;
        }
        if (!wanted) {
            if (row >= 0)
                out.remove.insert(row);
            else
                out.unplaced.push_back({ now.handle(), nullptr, Unplaced::Remove });
            continue;
        }
        if (row >= 0)
            d->classify(row, next, out);
        else
            out.unplaced.push_back({ now.handle(), &next, Unplaced::Classify });
    }
}

void TableIndexModelPrivate::PreprocessNotFoundParams::operator()()
{
    const TableIndexModelPrivate* d = model->d_func();
    d->list.forEachIn(firstRow, lastRow, [this, d](int row, const Record& r) {
        if (!wanted->mayContain(r.handle()))
            return;
        if (repaintsOnly) {
            out.changed.insert(row);
            return;
        }
        const Unplaced* found = unplaced->find(r.handle());
        if (!found)
            return;
        switch (found->want) {
        case Unplaced::Change:
            out.changed.insert(row);
            break;
        case Unplaced::Remove:
            out.remove.insert(row);
            break;
        case Unplaced::Classify:
            d->classify(row, *found->next, out);
            break;
        }
    });
}

// A search near the lower bound costs some thousand times a step of the walk over the whole list (cache misses
// on scattered records against a scan of contiguous handles).
int TableIndexModelPrivate::rowsPerSearch = 2048;
qint64 TableIndexModelPrivate::directFilterBits = qint64(HandleFilter::DirectBits);

// ---- batches ----

void TableIndexModel::preprocess(const QList<Record>& removed, const QList<Record>& updated, int firstColumn,
    int lastColumn, const QList<Record>& added, const QList<Record>& updatedNew)
{
    Q_D(TableIndexModel);
    restartTimer();
    using P = TableIndexModelPrivate;
    P::Outputs all;
    const bool search = qint64(removed.size() + updated.size()) * P::rowsPerSearch < d->list.count();

    if (!removed.isEmpty()) {
        auto items = slices(removed.size(), [&](int first, int last) {
            return P::PreprocessRemoveParams { this, &removed, search, first, last, {} };
        });
        P::Outputs out = runItems(items);
        P::merge(all, out);
    }
    if (!search && d->fieldsKeepOrderAndRows(firstColumn, lastColumn)) {
        // Each record keeps its row, if it has one: the walk below finds the rows without reading a record.
        all.unplaced.reserve(all.unplaced.size() + std::size_t(updated.size()));
        for (const Record& r : updated)
            all.unplaced.push_back({ r.handle(), nullptr, P::Unplaced::Change });
    } else if (!updated.isEmpty()) {
        auto items = slices(updated.size(), [&](int first, int last) {
            return P::PreprocessUpdateParams { this, &updated, &updatedNew, search, first, last, {} };
        });
        P::Outputs out = runItems(items);
        P::merge(all, out);
    }
    for (const Record& r : added) {
        if (filter(r))
            all.insert << r;
    }
    // Records not found near their place (or not looked for): one walk over the list finds them all.
    if (!all.unplaced.empty()) {
        std::vector<const void*> handles;
        handles.reserve(all.unplaced.size());
        for (const P::Unplaced& u : all.unplaced)
            handles.push_back(u.handle);
        // The rows are blocks of a table's rows, at least a header and a row's storage apart.
        const std::size_t spacing = table() ? std::size_t(Record::HeaderBytes + table()->layout().rowBytes()) : 0;
        const HandleFilter wanted(handles, std::size_t(P::directFilterBits), spacing);
        // Records that only repaint, let through by an exact filter, need no look-up of what to do with them.
        const bool repaintsOnly = wanted.exact()
            && std::all_of(all.unplaced.begin(), all.unplaced.end(),
                [](const P::Unplaced& u) { return u.want == P::Unplaced::Change; });
        static const std::vector<P::Unplaced> none;
        const HandleTable<P::Unplaced> unplaced(repaintsOnly ? none : all.unplaced);
        auto items = slices(d->list.count(), [&](int first, int last) {
            return P::PreprocessNotFoundParams { this, &unplaced, &wanted, repaintsOnly, first, last, {} };
        });
        P::Outputs out = runItems(items);
        all.remove.insert(out.remove);
        all.changed.insert(out.changed);
        all.judged.insert(out.judged);
        all.move.insert(out.move);
    }
    d->rowsToRemove = all.remove;
    d->rowsChanged = all.changed;
    d->rowsJudged = all.judged;
    d->rowsToMove = all.move;
    d->recordsToInsert = all.insert;
    if (!d->rowsJudged.isEmpty())
        settleRowsInPlace(updated, updatedNew);
    d->rowsJudged.clear();
    accumulateElapsed();
}

// Each row was first judged against its neighbours' old values; neighbours that change in the same batch can
// break that judgement:
//
//   before    10  20  30          a row of 20 becomes 25, the row of 30 becomes 22: each alone stays in
//   after     10  25  22          place, together they are out of order.
//
// So every row kept in place is checked once more against the rows that will stand next to it (rows leaving or
// moving skipped), with new values on both sides; one that is out of order joins the moving rows, and its
// neighbours are checked again, until no row moves.
void TableIndexModel::settleRowsInPlace(const QList<Record>& updated, const QList<Record>& updatedNew)
{
    Q_D(TableIndexModel);
    // A row whose neighbours stay untouched, or keep keys that compare equal, was judged against values that
    // order as the ones it will stand next to; only rows next to another key change of the batch need a second
    // look. A row whose own key compares equal keeps its order against every other: it never needs one.
    auto touched = [&](int row) { return d->rowsToRemove.contains(row) || d->rowsToMove.contains(row); };
    auto resident = [&](int row) { return !touched(row); };
    auto judgedOrTouched = [&](int row) { return d->rowsJudged.contains(row) || touched(row); };
    QVector<int> pending;
    for (int i = 0; i < d->rowsJudged.rangeCount(); ++i) {
        const auto range = d->rowsJudged.range(i);
        for (int row = range.start; row < range.end; ++row) {
            if (judgedOrTouched(row - 1) || judgedOrTouched(row + 1))
                pending << row;
        }
    }
    if (pending.isEmpty())
        return;
    QHash<const void*, const Record*> next;
    next.reserve(updated.size());
    for (int i = 0; i < updated.size(); ++i)
        next.insert(updated.at(i).handle(), &updatedNew.at(i));
    auto valueAt = [&](int row) -> const Record& {
        const Record& r = d->list.at(row);
        const auto it = next.constFind(r.handle());
        return it == next.constEnd() ? r : *it.value();
    };
    while (!pending.isEmpty()) {
        QVector<int> again;
        for (int row : qAsConst(pending)) {
            if (!resident(row))
                continue;
            int before = row - 1;
            while (before >= 0 && !resident(before))
                --before;
            int after = row + 1;
            while (after < d->list.count() && !resident(after))
                ++after;
            const Record& value = valueAt(row);
            const bool outOfOrder = (before >= 0 && compare(valueAt(before), value) > 0)
                || (after < d->list.count() && compare(value, valueAt(after)) > 0);
            if (!outOfOrder)
                continue;
            d->rowsToMove.insert(row);
            // Its neighbours now stand next to each other.
            if (before >= 0)
                again << before;
            if (after < d->list.count())
                again << after;
        }
        pending = again;
    }
    // Rows that moved are no longer changed in place.
    RangeSet<int> stay;
    for (int i = 0; i < d->rowsChanged.rangeCount(); ++i) {
        for (int row = d->rowsChanged.range(i).start; row < d->rowsChanged.range(i).end; ++row) {
            if (!d->rowsToMove.contains(row))
                stay.insert(row);
        }
    }
    d->rowsChanged = stay;
}

// The sorts the model's build and its batches' arrivals use.
template bool TableIndexModelPrivate::sortByStoredKeys(PartitionList<Record>&, ProgressHelper*, qint64) const;
template std::vector<int> TableIndexModelPrivate::sortWithPlaces(QList<Record>&) const;
template std::vector<int> TableIndexModelPrivate::sortWithPlaces(std::vector<Record>&) const;
template std::vector<int> TableIndexModelPrivate::sortWithExactPlaces(QList<Record>&) const;
template std::vector<int> TableIndexModelPrivate::sortWithExactPlaces(std::vector<Record>&) const;
