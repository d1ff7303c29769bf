#include "models/indexmodelfilterrecord.h"

#include "models/private/indexmodelfilterrecord_p.h"

#include "core/db/masterindex.h"
#include "core/db/table.h"
#include "core/db/tablelocker.h"
#include "models/private/filterrecordsmimedata.h"

#include <QSet>

#include <algorithm>

IndexModelFilterRecord::IndexModelFilterRecord(Table* table, QObject* parent)
    : TableIndexModel(table, *new IndexModelFilterRecordPrivate, parent)
{ }

IndexModelFilterRecord::~IndexModelFilterRecord() = default;

bool IndexModelFilterRecord::filterEnabled() const
{
    return d_func()->filterEnabled;
}

void IndexModelFilterRecord::setFilterEnabled(bool enabled)
{
    d_func()->filterEnabled = enabled;
}

const QStringList& IndexModelFilterRecord::filterRows() const
{
    return d_func()->filterRows;
}

void IndexModelFilterRecord::setFilterRows(const QStringList& rows)
{
    if (rows == d_func()->filterRows)
        return;
    d_func()->filterRows = rows;
    d_func()->filterRows.removeDuplicates();
    rebuildSortedList();
}

void IndexModelFilterRecord::rebuildSortedList()
{
    d_func()->sorted.clear();
    Table* t = table();
    if (!t)
        return;
    TableLocker lock(t);
    const MasterIndex* keys = t->masterIndex();
    for (int position = 0; position < d_func()->filterRows.size(); ++position) {
        // A key, not a record of the table: an instrument listed later, or again after a reload, is found by it.
        const Record key = keys->keyRecord(d_func()->filterRows.at(position));
        if (!key.isNull())
            d_func()->sorted.append({ key, position });
    }
    std::stable_sort(d_func()->sorted.begin(), d_func()->sorted.end(),
        [keys](const Entry& a, const Entry& b) { return keys->compareKeys(a.key, b.key) < 0; });
}

const IndexModelFilterRecord::Entry* IndexModelFilterRecord::find(const Record& record) const
{
    const Table* t = table();
    if (!t || record.isNull() || d_func()->sorted.isEmpty())
        return nullptr;
    const MasterIndex* keys = t->masterIndex();
    const auto it = std::lower_bound(d_func()->sorted.begin(), d_func()->sorted.end(), record,
        [keys](const Entry& entry, const Record& r) { return keys->compareKeys(entry.key, r) < 0; });
    return it != d_func()->sorted.end() && keys->compareKeys(it->key, record) == 0 ? &*it : nullptr;
}

QStringList IndexModelFilterRecord::allRows() const
{
    QStringList texts;
    for (const Record& record : *this)
        texts << record.toString();
    return texts;
}

bool IndexModelFilterRecord::addToFilter(const Record& record, int position)
{
    if (record.isNull() || find(record))
        return false;
    position = qBound(0, position, d_func()->filterRows.size());
    d_func()->filterRows.insert(position, record.toString());
    rebuildSortedList();
    return true;
}

void IndexModelFilterRecord::removeFromFilter(const Record& record)
{
    if (const Entry* entry = find(record)) {
        d_func()->filterRows.removeAt(entry->position);
        rebuildSortedList();
    }
}

void IndexModelFilterRecord::rebuildFilterFromModel()
{
    setShownOrder(allRows());
}

void IndexModelFilterRecord::setShownOrder(const QStringList& shownKeys)
{
    QStringList rows;
    QSet<int> shown;
    const Table* t = table();
    for (const QString& key : shownKeys) {
        const Entry* entry = t ? find(t->masterIndex()->keyRecord(key)) : nullptr;
        if (entry && !shown.contains(entry->position)) {
            rows << d_func()->filterRows.at(entry->position);
            shown.insert(entry->position);
        }
    }
    for (int position = 0; position < d_func()->filterRows.size(); ++position) {
        if (!shown.contains(position))
            rows << d_func()->filterRows.at(position);
    }
    d_func()->filterRows = rows;
    rebuildSortedList();
}

bool IndexModelFilterRecord::filter(const Record& record) const
{
    if (!d_func()->filterEnabled)
        return TableIndexModel::filter(record);
    return find(record) != nullptr;
}

int IndexModelFilterRecord::compare(const Record& a, const Record& b) const
{
    if (sortColumn() >= 0)
        return TableIndexModel::compare(a, b);
    const Entry* ea = find(a);
    const Entry* eb = find(b);
    if (ea && eb)
        return ea->position - eb->position;
    return ea ? -1 : (eb ? 1 : 0);
}

bool IndexModelFilterRecord::moveRows(const QModelIndex& sourceParent, int sourceRow, int count,
    const QModelIndex& destinationParent, int destinationChild)
{
    if (!d_func()->filterEnabled)
        return TableIndexModel::moveRows(sourceParent, sourceRow, count, destinationParent, destinationChild);
    if (sourceParent.isValid() || destinationParent.isValid()) {
        if (sourceParent != destinationParent)
            return false;
        destinationChild = destinationParent.row(); // dropped onto a row: before it
    }
    if (destinationChild < 0)
        destinationChild = rowCount();
    // In place: the filter rows must not change either (the listed keys not shown stay where they are).
    if (destinationChild == sourceRow || destinationChild == sourceRow + 1)
        return true;
    // The filter rows take the rows' new order first, so that whoever hears of the move reads them as they are
    // now; the rows follow (moved, not compared) and stand in the filter rows' order again.
    const QStringList before = d_func()->filterRows;
    const QStringList rows = allRows();
    const QStringList moving = rows.mid(sourceRow, count);
    const QStringList others = rows.mid(0, sourceRow) + rows.mid(sourceRow + count);
    const int at
        = qBound(0, destinationChild > sourceRow ? destinationChild - moving.size() : destinationChild, others.size());
    setShownOrder(others.mid(0, at) + moving + others.mid(at));
    if (TableIndexModel::moveRows(QModelIndex(), sourceRow, count, QModelIndex(), destinationChild)) {
        // The rows as they now stand are the user's order; a sort column would misplace the feed's next changes.
        if (sortColumn() >= 0)
            setSort(-1, sortOrder());
        return true;
    }
    d_func()->filterRows = before;
    rebuildSortedList();
    return false;
}

Qt::ItemFlags IndexModelFilterRecord::flags(const QModelIndex& index) const
{
    if (!d_func()->filterEnabled)
        return TableIndexModel::flags(index);
    return index.isValid() ? TableIndexModel::flags(index) | Qt::ItemIsDragEnabled : Qt::ItemIsDropEnabled;
}

Qt::DropActions IndexModelFilterRecord::supportedDropActions() const
{
    return Qt::MoveAction;
}

QStringList IndexModelFilterRecord::mimeTypes() const
{
    return { FilterRecordsMimeData::mimeType() };
}

QMimeData* IndexModelFilterRecord::mimeData(const QModelIndexList& indexes) const
{
    return indexes.isEmpty() || !d_func()->filterEnabled ? nullptr : new FilterRecordsMimeData(indexes);
}

bool IndexModelFilterRecord::dropMimeData(
    const QMimeData* data, Qt::DropAction action, int row, int, const QModelIndex&)
{
    const auto* dragged = qobject_cast<const FilterRecordsMimeData*>(data);
    if (!dragged || action != Qt::MoveAction || !d_func()->filterEnabled)
        return false;
    return dragged->moveRows(
        this, row, [this](int from, int before) { moveRows(QModelIndex(), from, 1, QModelIndex(), before); });
}
