#include "trees/treeindexmodel.h"

#include "core/db/guilog.h"
#include "core/db/indexiterative.h"
#include "core/db/table.h"
#include "models/private/progresshelper.h"
#include "trees/groupment.h"
#include "trees/groupmenttreeitem.h"
#include "trees/private/treeindexmodel_p.h"

#include "models/parallelmap.h"

#include <QElapsedTimer>

#include <algorithm>

namespace {

// Above this many records (or new siblings) a build works on the worker threads too.
const int ManyChildren = 8192;

} // namespace

TreeIndexModel::TreeIndexModel(Table* table, QObject* parent)
    : TreeIndexModel(table, *new TreeIndexModelPrivate, parent)
{ }

TreeIndexModel::TreeIndexModel(Table* table, TreeIndexModelPrivate& dd, QObject* parent)
    : FilterIndexModel(table, dd, parent)
{
    Q_D(TreeIndexModel);
    d->root = new GroupmentTreeItem(QString(), nullptr);
    static const bool hooked = [] {
        GroupmentTreeItem::setModelHooks(
            { [](const TreeIndexModel* model, const Record& a, const Record& b) { return model->compare(a, b); },
                [](const TreeIndexModel* model) { return model->d_func()->groupSortOrder; },
                [](const TreeIndexModel* model, int firstField, int lastField, int& firstColumn, int& lastColumn) {
                    model->mapColumnFromTable(firstField, lastField, firstColumn, lastColumn);
                } });
        return true;
    }();
    Q_UNUSED(hooked)
    d->root->setModel(this);
    setSort(0, Qt::AscendingOrder);
}

TreeIndexModel::~TreeIndexModel()
{
    Q_D(TreeIndexModel);
    delete d->root;
}

QList<Groupment*> TreeIndexModel::groupmentList() const
{
    return d_func()->groupments;
}

Qt::SortOrder TreeIndexModel::groupSortOrder() const
{
    return d_func()->groupSortOrder;
}

bool TreeIndexModel::itemSignals() const
{
    return d_func()->itemSignals;
}

void TreeIndexModel::setItemSignals(bool on)
{
    d_func()->itemSignals = on;
}

GroupmentTreeItem* TreeIndexModel::rootItem() const
{
    return d_func()->root;
}

GroupmentTreeItem* TreeIndexModel::itemByRecord(const Record& record) const
{
    return d_func()->records.value(record);
}

void TreeIndexModel::setGroupmentList(const QList<Groupment*>& groupments)
{
    Q_D(TreeIndexModel);
    d->groupments = groupments;
}

void TreeIndexModel::setSort(int column, Qt::SortOrder order)
{
    Q_D(TreeIndexModel);
    FilterIndexModel::setSort(column, order);
    if (column == 0)
        d->groupSortOrder = order;
}

bool TreeIndexModel::less(const GroupmentTreeItem* a, const GroupmentTreeItem* b) const
{
    return a->compare(this, b) < 0;
}

// An index carries its item's address with the lowest bit telling a leaf (items are aligned, the bit is free): a
// tree view asks every row it lays out whether it can have children, and reading the item to answer cost a cache
// miss per open row.
static constexpr quintptr LeafTag = 1;
static_assert(alignof(GroupmentTreeItem) > LeafTag, "the leaf tag needs a free low bit in an item's address");

GroupmentTreeItem* TreeIndexModel::itemByIndex(const QModelIndex& index) const
{
    Q_D(const TreeIndexModel);
    if (!index.isValid())
        return d->root;
    Q_ASSERT(index.model() == this);
    return reinterpret_cast<GroupmentTreeItem*>(index.internalId() & ~LeafTag);
}

QModelIndex TreeIndexModel::createItemIndex(int row, int column, const GroupmentTreeItem* item, int level) const
{
    Q_D(const TreeIndexModel);
    const bool leaf = level == d->groupments.size() - 1;
    return createIndex(row, column, reinterpret_cast<quintptr>(item) | (leaf ? LeafTag : 0));
}

QModelIndex TreeIndexModel::indexByItem(const GroupmentTreeItem* item, int column) const
{
    Q_D(const TreeIndexModel);
    if (!item || item == d->root)
        return QModelIndex();
    return createItemIndex(item->row(), column, item, item->level());
}

Record TreeIndexModel::recordByIndex(const QModelIndex& index) const
{
    return index.isValid() ? itemByIndex(index)->record() : Record();
}

bool TreeIndexModel::isRecord(const QModelIndex& index) const
{
    return index.isValid() && !itemByIndex(index)->record().isNull();
}

QModelIndex TreeIndexModel::indexByRecord(const Record& record, int column) const
{
    Q_D(const TreeIndexModel);
    return indexByItem(d->records.value(record), column);
}

QModelIndex TreeIndexModel::indexColumn(const QModelIndex& index, int column) const
{
    return index.isValid() ? createIndex(index.row(), column, index.internalId()) : QModelIndex();
}

QModelIndex TreeIndexModel::treeWalk(const QModelIndex& index) const
{
    Q_D(const TreeIndexModel);
    const GroupmentTreeItem* item = itemByIndex(index);
    if (item->childCount() > 0)
        return indexByItem(item->child(0));
    for (; item != d->root; item = item->parent()) {
        const GroupmentTreeItem* next = item->parent()->child(item->row() + 1);
        if (next)
            return indexByItem(next);
    }
    return QModelIndex();
}

QList<Record> TreeIndexModel::recordsFromTree() const
{
    Q_D(const TreeIndexModel);
    return d->records.records();
}

int TreeIndexModel::recordsCount(const GroupmentTreeItem* item) const
{
    Q_D(const TreeIndexModel);
    return (item ? item : d->root)->recordsCount();
}

int TreeIndexModel::fieldIndex(const QString& name) const
{
    return table() ? table()->columnIndex(name) : -1;
}

bool TreeIndexModel::contains(const Record& record) const
{
    Q_D(const TreeIndexModel);
    return d->records.contains(record);
}

// Placing records ------------------------------------------------------------------------------------------------

bool TreeIndexModel::place(const Record& record, Pending& pending, QVector<GroupmentTreeItem*>& changed, QString* keys)
{
    Q_D(TreeIndexModel);
    if (d->groupments.isEmpty())
        return false;
    GroupmentTreeItem* item = d->root;
    // A group made here has no children yet, so every level below it is made too: the items made for the record
    // are the chain from this one down.
    GroupmentTreeItem* firstCreated = nullptr;
    for (int level = 0; level < d->groupments.size(); ++level) {
        const Groupment* groupment = d->groupments.at(level);
        const bool ownKey = groupment->keysAreRecordKeys();
        const QString key = ownKey ? QString() : keys ? std::move(keys[level]) : groupment->groupKey(record);
        GroupmentTreeItem* child = ownKey ? nullptr : item->childByKey(key);
        if (child) {
            if (child->addRecord(record))
                changed << child;
        } else {
            child = groupment->createGroup(item, key, record);
            if (!child) {
                // Nothing of this record stays: the groups made for it go, the groups it joined let it go.
                qCWarning(QGuiLog) << "TreeIndexModel: no group for the record" << record.toString() << "on level"
                                   << level << groupment->name();
                for (GroupmentTreeItem* up = item; up != d->root; up = up->parent())
                    up->removeRecord(record);
                QVector<GroupmentTreeItem*> created;
                for (GroupmentTreeItem* up = item; firstCreated && up != firstCreated->parent(); up = up->parent())
                    created.prepend(up);
                dropCreated(pending, created);
                return false;
            }
            child->addRecord(record);
            if (ownKey)
                child->takeKeyFromRecord();
            item->enterKey(child);
            pending[level][item] << child;
            if (!firstCreated)
                firstCreated = child;
        }
        item = child;
    }
    d->records.insert(record, item);
    for (GroupmentTreeItem* up = item; up; up = up->parent())
        up->addRecordsCount(1);
    return true;
}

void TreeIndexModel::dropCreated(Pending& pending, const QVector<GroupmentTreeItem*>& created)
{
    for (int i = created.size() - 1; i >= 0; --i) {
        GroupmentTreeItem* made = created.at(i);
        made->parent()->forgetKey(made);
        pending[made->level()][made->parent()].removeOne(made);
        delete made;
    }
}

void TreeIndexModel::merge(Pending& pending, const QVector<GroupmentTreeItem*>& changed)
{
    Q_D(TreeIndexModel);
    auto lessThan = [this](const GroupmentTreeItem* a, const GroupmentTreeItem* b) { return less(a, b); };
    for (auto& level : pending) {
        QVector<QPair<GroupmentTreeItem*, QVector<GroupmentTreeItem*>*>> parents;
        int total = 0;
        for (auto& parent : level.second) {
            if (!parent.second.isEmpty()) {
                parents.append({ parent.first, &parent.second });
                total += parent.second.size();
            }
        }
        // Siblings are sorted apart from each other: many parents' new children on the worker threads at once.
        auto sortOne = [&](int i) { std::stable_sort(parents[i].second->begin(), parents[i].second->end(), lessThan); };
        if (total >= ManyChildren && parents.size() > 1)
            ParallelMap::forEachIndex(parents.size(), sortOne);
        else
            for (int i = 0; i < parents.size(); ++i)
                sortOne(i);
        for (const auto& parent : qAsConst(parents))
            insertSorted(parent.first, *parent.second);
    }
    if (!d->itemSignals)
        return;
    for (GroupmentTreeItem* item : changed) {
        if (item->recordsCount() > 0)
            emitItemChanged(item, 0, columnCount() - 1);
    }
}

void TreeIndexModel::insertSorted(GroupmentTreeItem* parent, const QVector<GroupmentTreeItem*>& children)
{
    Q_D(TreeIndexModel);
    auto lessThan = [this](const GroupmentTreeItem* a, const GroupmentTreeItem* b) { return less(a, b); };
    if (!d->itemSignals && parent->childCount() == 0) {
        // A build's new group: nothing to merge with.
        parent->setChildrenOrder(children);
        childrenInserted(parent, children);
        return;
    }
    if (!d->itemSignals) {
        // Nobody watches the rows: one merge pass, the items already there first among equals.
        const QVector<GroupmentTreeItem*> current = parent->childList();
        QVector<GroupmentTreeItem*> merged(current.size() + children.size());
        std::merge(current.begin(), current.end(), children.begin(), children.end(), merged.begin(), lessThan);
        parent->setChildrenOrder(merged);
        childrenInserted(parent, children);
        return;
    }
    // Runs of new children that fall between the same two old ones go in together. Inside a batch they join its
    // layout change: each insert signal makes Qt walk every persistent index (a tree view keeps one per open
    // group) and ask its parent, so a batch of new rows under many groups cost that walk once per run. Rows that
    // appear under a layout change are what QSortFilterProxyModel's invalidate() tells its views too.
    if (d->batching)
        openLayout();
    else
        closeLayout();
    const bool signal = !d->layoutOpen;
    const QModelIndex parentIndex = signal ? indexByItem(parent) : QModelIndex();
    int i = 0;
    while (i < children.size()) {
        const int at = upperBound(parent, children.at(i));
        const GroupmentTreeItem* next = parent->child(at);
        int end = i + 1;
        while (end < children.size() && (!next || less(children.at(end), next)))
            ++end;
        if (signal)
            beginInsertRows(parentIndex, at, at + end - i - 1);
        parent->insertChildren(at, children.constData() + i, end - i);
        if (signal)
            endInsertRows();
        else
            d->arrived.insert(d->arrived.end(), children.constData() + i, children.constData() + end);
        childrenInserted(parent, children.mid(i, end - i));
        i = end;
    }
}

int TreeIndexModel::upperBound(const GroupmentTreeItem* parent, const GroupmentTreeItem* item, int skip) const
{
    // Binary search over the children as if `skip` were not among them; the result counts without it.
    int low = 0;
    int high = parent->childCount() - (skip >= 0 ? 1 : 0);
    while (low < high) {
        const int mid = (low + high) / 2;
        const GroupmentTreeItem* probe = parent->child(skip >= 0 && mid >= skip ? mid + 1 : mid);
        if (less(item, probe))
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

void TreeIndexModel::add(const Record& record)
{
    if (contains(record))
        return;
    Pending pending;
    QVector<GroupmentTreeItem*> changed;
    if (place(record, pending, changed))
        merge(pending, changed);
}

// Removing records -----------------------------------------------------------------------------------------------

void TreeIndexModel::remove(const Record& record, int)
{
    removeRecords({ record });
}

void TreeIndexModel::removeRecords(const QList<Record>& records)
{
    Q_D(TreeIndexModel);
    QVector<GroupmentTreeItem*> emptied;
    QVector<GroupmentTreeItem*> changed;
    for (const Record& record : records) {
        GroupmentTreeItem* leaf = d->records.take(record);
        if (!leaf)
            continue;
        for (GroupmentTreeItem* up = leaf; up; up = up->parent())
            up->addRecordsCount(-1);
        for (GroupmentTreeItem* up = leaf; up != d->root; up = up->parent()) {
            if (up->recordsCount() == 0)
                continue;
            if (up->removeRecord(record))
                changed << up;
        }
        if (leaf->recordsCount() == 0)
            emptied << leaf;
    }
    if (d->itemSignals) {
        // Items inside a subtree that goes as a whole get no signal.
        for (GroupmentTreeItem* item : qAsConst(changed)) {
            if (item->recordsCount() > 0)
                emitItemChanged(item, 0, columnCount() - 1);
        }
    }
    if (emptied.isEmpty())
        return;
    // Each emptied leaf takes with it every ancestor left without records, never the root.
    QVector<GroupmentTreeItem*> tops;
    tops.reserve(emptied.size());
    for (GroupmentTreeItem* item : qAsConst(emptied)) {
        while (item->parent() != d->root && item->parent()->recordsCount() == 0)
            item = item->parent();
        tops << item;
    }
    std::sort(tops.begin(), tops.end());
    tops.erase(std::unique(tops.begin(), tops.end()), tops.end());
    removeItems(tops);
}

void TreeIndexModel::removeItems(const QVector<GroupmentTreeItem*>& items)
{
    Q_D(TreeIndexModel);
    // Per parent, from the last row to the first, adjacent rows in one signal. Rows are read before any removal:
    // removing from the end never moves the rows still to go.
    struct Place
    {
        GroupmentTreeItem* item;
        GroupmentTreeItem* parent;
        int row;
    };
    closeLayout();
    QVector<Place> places;
    places.reserve(items.size());
    for (GroupmentTreeItem* item : items)
        places.append({ item, item->parent(), item->row() });
    std::sort(places.begin(), places.end(), [](const Place& a, const Place& b) {
        return a.parent != b.parent ? std::less<GroupmentTreeItem*>()(a.parent, b.parent) : a.row > b.row;
    });
    int i = 0;
    while (i < places.size()) {
        GroupmentTreeItem* parent = places.at(i).parent;
        const QModelIndex parentIndex = d->itemSignals ? indexByItem(parent) : QModelIndex();
        while (i < places.size() && places.at(i).parent == parent) {
            int end = i + 1;
            while (end < places.size() && places.at(end).parent == parent
                && places.at(end).row == places.at(end - 1).row - 1)
                ++end;
            const int first = places.at(end - 1).row;
            const int count = end - i;
            QVector<GroupmentTreeItem*> taken;
            taken.reserve(count);
            for (int k = end - 1; k >= i; --k)
                taken << places.at(k).item;
            if (d->itemSignals)
                beginRemoveRows(parentIndex, first, first + count - 1);
            parent->takeChildren(first, count);
            if (d->itemSignals)
                endRemoveRows();
            childrenRemoved(parent, first, taken);
            qDeleteAll(taken);
            i = end;
        }
    }
}

// Updating records -----------------------------------------------------------------------------------------------

void TreeIndexModel::update(const Record& record, int firstColumn, int lastColumn, int)
{
    Q_D(TreeIndexModel);
    if (!filter(record)) {
        removeRecords({ record });
        return;
    }
    GroupmentTreeItem* leaf = d->records.value(record);
    if (!leaf) {
        ++d->moved;
        add(record);
        return;
    }
    // The record's groups, from the top level down.
    QStringList keys;
    keys.reserve(d->groupments.size());
    bool moved = false;
    int level = d->groupments.size() - 1;
    for (const GroupmentTreeItem* item = leaf; item != d->root; item = item->parent(), --level) {
        const Groupment* groupment = d->groupments.at(level);
        const QString key = groupment->keysAreRecordKeys() ? QString() : groupment->groupKey(record);
        moved = moved || (!groupment->keysAreRecordKeys() && key != item->groupKey());
        keys.prepend(key);
    }
    if (moved) {
        relocate(record, leaf, keys);
        return;
    }
    for (GroupmentTreeItem* item = leaf; item != d->root; item = item->parent()) {
        if (!item->updateRecord(record, firstColumn, lastColumn))
            continue;
        if (!inOrder(item))
            reposition(item);
        int first = -1;
        int last = -1;
        item->mapColumnUpdated(record, firstColumn, lastColumn, first, last);
        if (first >= 0 && d->itemSignals)
            emitItemChanged(item, first, last);
    }
}

bool TreeIndexModel::inOrder(const GroupmentTreeItem* item) const
{
    const GroupmentTreeItem* parent = item->parent();
    const int row = item->row();
    const GroupmentTreeItem* before = parent->child(row - 1);
    const GroupmentTreeItem* after = parent->child(row + 1);
    return (!before || !less(item, before)) && (!after || !less(after, item));
}

// A batch changes every record before the first is placed again, so a record may have been placed by a search
// among siblings still out of place. Only updated items can be out of place, and one placed while the others
// are in place is placed right: a few passes settle them. Should they not, one layout change sorts it all.
void TreeIndexModel::settleOrder(const QList<Record>& updated)
{
    Q_D(TreeIndexModel);
    if (updated.size() < 2)
        return;
    constexpr int MaxPasses = 8;
    for (int pass = 0; pass < MaxPasses; ++pass) {
        bool moved = false;
        for (const Record& record : updated) {
            for (GroupmentTreeItem* item = d->records.value(record); item && item != d->root; item = item->parent()) {
                if (!inOrder(item)) {
                    reposition(item);
                    moved = true;
                }
            }
        }
        if (!moved)
            return;
    }
    resort();
}

void TreeIndexModel::resort()
{
    Q_D(TreeIndexModel);
    // A batch without item signals is one model reset, which tells the views of the new order: a layout change
    // inside it would also walk persistent indexes whose items the batch may have freed.
    if (d->batching && !d->itemSignals) {
        sortChildren(d->root);
        return;
    }
    // Inside a batch's open layout the sort joins it.
    const bool open = d->layoutOpen;
    openLayout();
    sortChildren(d->root);
    if (!open)
        closeLayout();
}

void TreeIndexModel::openLayout()
{
    Q_D(TreeIndexModel);
    if (d->layoutOpen)
        return;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    d->layoutOpen = true;
}

void TreeIndexModel::closeLayout()
{
    Q_D(TreeIndexModel);
    if (!d->layoutOpen)
        return;
    // Items keep their identity while rows change: each persistent index follows its own item. Most stay on
    // their rows (a tree view keeps one per open group, and only the siblings after a change shift): an item
    // still at its row is checked there, which is cheaper than finding its row.
    QModelIndexList from;
    QModelIndexList to;
    for (const QModelIndex& index : persistentIndexList()) {
        const GroupmentTreeItem* item = itemByIndex(index);
        if (item->parent()->child(index.row()) == item)
            continue;
        from << index;
        to << indexByItem(item, index.column());
    }
    if (!from.isEmpty())
        changePersistentIndexList(from, to);
    d->layoutOpen = false;
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<TreeIndexModelPrivate::WaitingChange> waiting;
    waiting.swap(d->waiting);
    d->waitingIndex.clear();
    for (const TreeIndexModelPrivate::WaitingChange& change : waiting)
        emitItemChanged(change.item, change.first, change.last, change.roles);
    if (d->arrived.empty())
        return;
    QModelIndexList arrived;
    arrived.reserve(int(d->arrived.size()));
    for (const GroupmentTreeItem* item : d->arrived)
        arrived << indexByItem(item);
    d->arrived.clear();
    Q_EMIT itemsArrived(arrived);
}

void TreeIndexModel::reposition(GroupmentTreeItem* item)
{
    Q_D(TreeIndexModel);
    GroupmentTreeItem* parent = item->parent();
    const int from = item->row();
    const int to = upperBound(parent, item, from);
    if (to == from)
        return;
    if (d->itemSignals && d->batching)
        openLayout();
    const bool signal = d->itemSignals && !d->layoutOpen;
    if (signal) {
        const QModelIndex parentIndex = indexByItem(parent);
        // Qt counts the destination before the move: below the source it is one further.
        beginMoveRows(parentIndex, from, from, parentIndex, to > from ? to + 1 : to);
    }
    ++d->moved;
    parent->takeChildren(from, 1);
    parent->enterKey(item);
    parent->insertChildren(to, &item, 1);
    if (signal)
        endMoveRows();
    childMoved(parent, from, to);
}

void TreeIndexModel::relocate(const Record& record, GroupmentTreeItem* leaf, const QStringList& keys)
{
    Q_D(TreeIndexModel);
    // The new parent must exist with no leaf of the record's key yet, and the leaf must hold this record alone;
    // otherwise the record goes and comes back as a new item.
    ++d->moved;
    GroupmentTreeItem* oldParent = leaf->parent();
    const QString& leafKey = keys.last();
    const bool ownKey = d->groupments.last()->keysAreRecordKeys();
    bool movable = leaf->recordsCount() == 1 && leaf->records().isEmpty() && (ownKey || leafKey == leaf->groupKey());
    if (movable) {
        const GroupmentTreeItem* target = d->root;
        for (int level = 0; target && level + 1 < keys.size(); ++level)
            target = target->childByKey(keys.at(level));
        movable = target != oldParent && (!target || ownKey || !target->childByKey(leafKey));
    }
    if (!movable) {
        removeRecords({ record });
        add(record);
        return;
    }
    // 1. The new chain of groups, the missing ones made and inserted (still empty).
    Pending pending;
    QVector<GroupmentTreeItem*> changed;
    QVector<GroupmentTreeItem*> created;
    GroupmentTreeItem* newParent = d->root;
    for (int level = 0; level + 1 < keys.size(); ++level) {
        GroupmentTreeItem* child = newParent->childByKey(keys.at(level));
        if (!child) {
            child = d->groupments.at(level)->createGroup(newParent, keys.at(level), record);
            if (!child) {
                // No place for the record: the groups made for it go unseen, and it leaves the tree.
                dropCreated(pending, created);
                removeRecords({ record });
                return;
            }
            // A group ordered by a field of its record (an expiry, a strike) holds the record before it meets
            // its siblings: without one it would compare by name.
            child->addRecord(record);
            newParent->enterKey(child);
            pending[level][newParent] << child;
            created << child;
        }
        newParent = child;
    }
    merge(pending, changed);
    // 2. The record leaves the old groups and joins the new ones.
    for (GroupmentTreeItem* up = oldParent; up; up = up->parent()) {
        up->addRecordsCount(-1);
        if (up != d->root && up->recordsCount() > 0 && up->removeRecord(record) && d->itemSignals)
            changed << up;
    }
    for (GroupmentTreeItem* up = newParent; up; up = up->parent()) {
        up->addRecordsCount(1);
        if (up != d->root && up->addRecord(record))
            changed << up;
    }
    // 3. The leaf moves, with one signal or inside the batch's layout change; its item, and every persistent
    // index on it, stays.
    const int from = leaf->row();
    const int to = upperBound(newParent, leaf);
    if (d->itemSignals && d->batching)
        openLayout();
    else
        closeLayout();
    const bool signal = d->itemSignals && !d->layoutOpen;
    if (signal)
        beginMoveRows(indexByItem(oldParent), from, from, indexByItem(newParent), to);
    oldParent->takeChildren(from, 1);
    leaf->setParent(newParent);
    newParent->enterKey(leaf);
    newParent->insertChildren(to, &leaf, 1);
    if (signal)
        endMoveRows();
    else if (d->layoutOpen)
        d->arrived.push_back(leaf);
    childrenRemoved(oldParent, from, { leaf });
    childrenInserted(newParent, { leaf });
    if (d->itemSignals) {
        emitItemChanged(leaf, 0, columnCount() - 1);
        for (GroupmentTreeItem* item : qAsConst(changed)) {
            if (item->recordsCount() > 0)
                emitItemChanged(item, 0, columnCount() - 1);
        }
    }
    // 4. The old groups left without records go.
    if (oldParent != d->root && oldParent->recordsCount() == 0) {
        GroupmentTreeItem* top = oldParent;
        while (top->parent() != d->root && top->parent()->recordsCount() == 0)
            top = top->parent();
        removeItems({ top });
    }
}

// Batches --------------------------------------------------------------------------------------------------------

// The updates and additions of a batch: moves and new rows join one layout change, closed before a removal and
// when the scope ends, also by an exception.
class TreeIndexModel::BatchScope
{
public:
    explicit BatchScope(TreeIndexModel* model)
        : m_model(model)
    {
        m_model->d_func()->batching = true;
    }
    ~BatchScope()
    {
        m_model->d_func()->batching = false;
        m_model->closeLayout();
    }

private:
    Q_DISABLE_COPY(BatchScope)
    TreeIndexModel* m_model; // not owned
};

void TreeIndexModel::process(const QList<Record>& removed, const QList<Record>& updated, int firstColumn,
    int lastColumn, const QList<Record>& added)
{
    Q_D(TreeIndexModel);
    restartTimer();
    // With item signals off the batch is one reset: used above a size where row signals cost more than a
    // view's fresh look at the tree.
    if (!d->itemSignals)
        beginResetModel();
    removeRecords(removed);
    {
        BatchScope batch(this);
        const int moved = d->moved;
        for (const Record& record : updated)
            update(record, firstColumn, lastColumn, -1);
        // While nothing moved, every item was found in order among neighbours that stayed: all are in order.
        if (d->moved != moved)
            settleOrder(updated);
        Pending pending;
        QVector<GroupmentTreeItem*> changed;
        for (const Record& record : added) {
            if (!contains(record) && filter(record))
                place(record, pending, changed);
        }
        merge(pending, changed);
    }
    if (!d->itemSignals)
        endResetModel();
    accumulateElapsed();
}

void TreeIndexModel::build()
{
    Q_D(TreeIndexModel);
    QElapsedTimer timer;
    timer.start();
    startBuild();
    const QString name = table() ? table()->name() : QString();
    // Two passes over the source's records: filtered and keyed, then placed.
    ProgressHelper progress(tr("Построение №%1 индекса древовидной модели по таблице %2").arg(buildNumber()).arg(name),
        source() ? qint64(source()->count()) : 0, 2);
    if (d->itemSignals)
        beginResetModel();
    const bool blocked = blockSignals(true);
    const bool itemSignals = d->itemSignals;
    d->itemSignals = false;
    clearTree();
    Pending pending;
    QVector<GroupmentTreeItem*> changed;
    if (source()) {
        d->records.reserve(source()->count());
        if (source()->count() >= ManyChildren) {
            placeAll(pending, changed, progress);
        } else {
            qint64 n = 0;
            for (const Record& record : *source()) {
                progress.progress(++n);
                if (filter(record))
                    place(record, pending, changed);
            }
        }
    }
    merge(pending, changed);
    progress.finish();
    d->itemSignals = itemSignals;
    blockSignals(blocked);
    if (d->itemSignals)
        endResetModel();
    qCDebug(QGuiLog).noquote() << tr("Древовидная модель по таблице %1 готова к отображению. Построение №%2: %3 строк "
                                     "%4 мсек")
                                      .arg(name)
                                      .arg(buildNumber())
                                      .arg(d->records.size())
                                      .arg(timer.elapsed());
}

void TreeIndexModel::placeAll(Pending& pending, QVector<GroupmentTreeItem*>& changed, ProgressHelper& progress)
{
    Q_D(TreeIndexModel);
    // The filter and the keys of slices of the source on the worker threads; the tree grows on this one, in
    // source order. The slices are small enough for this thread to run several, and to tell the host after each.
    QVector<const Record*> all;
    all.reserve(source()->count());
    for (const Record& record : *source())
        all << &record;
    const int n = all.size();
    const int levels = d->groupments.size();
    std::vector<QString> keys(std::size_t(n) * std::size_t(levels));
    std::vector<char> kept(std::size_t(n), 0);
    const int slices = 64;
    ProgressPhase keying(&progress, 0, n, n);
    ParallelMap::forEachIndex(slices, [&](int k) {
        const int first = int(qint64(n) * k / slices);
        const int last = int(qint64(n) * (k + 1) / slices);
        for (int i = first; i < last; ++i) {
            if (!filter(*all.at(i)))
                continue;
            kept[std::size_t(i)] = 1;
            for (int level = 0; level < levels; ++level)
                if (!d->groupments.at(level)->keysAreRecordKeys())
                    keys[std::size_t(i) * std::size_t(levels) + std::size_t(level)]
                        = d->groupments.at(level)->groupKey(*all.at(i));
        }
        keying.add(last - first);
    });
    for (int i = 0; i < n; ++i) {
        progress.progress(qint64(n) + i + 1);
        if (kept[std::size_t(i)])
            place(*all.at(i), pending, changed, keys.data() + std::size_t(i) * std::size_t(levels));
    }
}

void TreeIndexModel::clear()
{
    Q_D(TreeIndexModel);
    if (d->itemSignals)
        beginResetModel();
    const bool blocked = blockSignals(true);
    clearTree();
    blockSignals(blocked);
    if (d->itemSignals)
        endResetModel();
}

void TreeIndexModel::clearTree()
{
    Q_D(TreeIndexModel);
    delete d->root;
    d->root = new GroupmentTreeItem(QString(), nullptr);
    d->root->setModel(this);
    d->records.clear();
}

// Sorting --------------------------------------------------------------------------------------------------------

void TreeIndexModel::sortChildren(GroupmentTreeItem* item)
{
    QVector<GroupmentTreeItem*> children = item->childList();
    if (children.isEmpty())
        return;
    GroupmentTreeItem* first = children.first();
    std::stable_sort(children.begin(), children.end(),
        [this](const GroupmentTreeItem* a, const GroupmentTreeItem* b) { return less(a, b); });
    item->setChildrenOrder(children);
    if (children.first() != first)
        childMoved(item, 0, int(children.indexOf(first)));
    for (GroupmentTreeItem* child : qAsConst(children))
        sortChildren(child);
}

void TreeIndexModel::sort(int column, Qt::SortOrder order)
{
    if (column == sortColumn() && order == sortOrder())
        return;
    setSort(column, order);
    resort();
}

bool TreeIndexModel::moveRows(const QModelIndex& sourceParent, int sourceRow, int count,
    const QModelIndex& destinationParent, int destinationChild)
{
    Q_D(TreeIndexModel);
    GroupmentTreeItem* parent = itemByIndex(sourceParent);
    if (sourceParent != destinationParent || count <= 0 || sourceRow < 0 || sourceRow + count > parent->childCount()
        || destinationChild < 0 || destinationChild > parent->childCount()
        || (destinationChild >= sourceRow && destinationChild <= sourceRow + count))
        return false;
    if (d->itemSignals)
        beginMoveRows(sourceParent, sourceRow, sourceRow + count - 1, destinationParent, destinationChild);
    QVector<GroupmentTreeItem*> order = parent->childList();
    const QVector<GroupmentTreeItem*> moving = order.mid(sourceRow, count);
    order.remove(sourceRow, count);
    const int to = destinationChild > sourceRow ? destinationChild - count : destinationChild;
    for (int i = 0; i < count; ++i)
        order.insert(to + i, moving.at(i));
    parent->setChildrenOrder(order);
    if (d->itemSignals)
        endMoveRows();
    childMoved(parent, sourceRow, to);
    return true;
}

// The model interface --------------------------------------------------------------------------------------------

QModelIndex TreeIndexModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column < 0 || column >= columnCount() || (parent.isValid() && parent.column() != 0))
        return QModelIndex();
    const GroupmentTreeItem* item = itemByIndex(parent);
    const GroupmentTreeItem* child = item->child(row);
    return child ? createItemIndex(row, column, child, item->level() + 1) : QModelIndex();
}

QModelIndex TreeIndexModel::parent(const QModelIndex& index) const
{
    if (!index.isValid())
        return QModelIndex();
    return indexByItem(itemByIndex(index)->parent());
}

QModelIndex TreeIndexModel::sibling(int row, int column, const QModelIndex& index) const
{
    if (!index.isValid())
        return QModelIndex();
    if (row == index.row())
        return column >= 0 && column < columnCount() ? createIndex(row, column, index.internalId()) : QModelIndex();
    return TreeIndexModel::index(row, column, parent(index));
}

int TreeIndexModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != 0)
        return 0;
    return itemByIndex(parent)->childCount();
}

Qt::ItemFlags TreeIndexModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags flags = QAbstractItemModel::flags(index);
    return isLeaf(index) ? flags | Qt::ItemNeverHasChildren : flags;
}

bool TreeIndexModel::isLeaf(const QModelIndex& index) const
{
    return index.isValid() && (index.internalId() & LeafTag);
}

QVariant TreeIndexModel::data(const QModelIndex& index, int role) const
{
    Q_D(const TreeIndexModel);
    if (!index.isValid())
        return QVariant();
    const GroupmentTreeItem* item = itemByIndex(index);
    switch (role) {
    case Qt::TextAlignmentRole:
        return int(columnAlignment(index.column()));
    case ItemLevelRole:
        return item->level();
    case NestedItemRole:
        return item->parent() != d->root;
    default:
        return item->data(index.column(), role);
    }
}

void TreeIndexModel::emitItemChanged(GroupmentTreeItem* item, int first, int last, const QVector<int>& roles)
{
    Q_D(TreeIndexModel);
    if (!d->itemSignals || item == d->root || last < first)
        return;
    if (d->layoutOpen) {
        const auto known = d->waitingIndex.constFind(item);
        if (known == d->waitingIndex.constEnd()) {
            d->waitingIndex.insert(item, int(d->waiting.size()));
            d->waiting.push_back({ item, first, last, roles });
            return;
        }
        TreeIndexModelPrivate::WaitingChange& change = d->waiting[std::size_t(*known)];
        change.first = qMin(change.first, first);
        change.last = qMax(change.last, last);
        if (change.roles.isEmpty() || roles.isEmpty()) {
            change.roles.clear();
        } else {
            for (int role : roles) {
                if (!change.roles.contains(role))
                    change.roles << role;
            }
        }
        return;
    }
    const int row = item->row();
    Q_EMIT dataChanged(
        createItemIndex(row, first, item, item->level()), createItemIndex(row, last, item, item->level()), roles);
}

void TreeIndexModel::childrenInserted(GroupmentTreeItem*, const QVector<GroupmentTreeItem*>&) { }

void TreeIndexModel::childrenRemoved(GroupmentTreeItem*, int, const QVector<GroupmentTreeItem*>&) { }

void TreeIndexModel::childMoved(GroupmentTreeItem*, int, int) { }

QString TreeIndexModel::getClassName() const
{
    return QStringLiteral("TreeIndexModel");
}
