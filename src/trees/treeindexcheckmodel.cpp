#include "trees/treeindexcheckmodel.h"

#include "trees/groupmenttreeitem.h"
#include "trees/private/treeindexcheckmodel_p.h"
#include "trees/recordchecklist.h"

namespace {

int checkedOf(Qt::CheckState state)
{
    return state == Qt::Checked ? 1 : 0;
}

int partlyOf(Qt::CheckState state)
{
    return state == Qt::PartiallyChecked ? 1 : 0;
}

} // namespace

TreeIndexCheckModel::TreeIndexCheckModel(Table* table, QObject* parent)
    : TreeIndexModelWithTextFilter(table, *new TreeIndexCheckModelPrivate, parent)
{ }

RecordCheckList* TreeIndexCheckModel::checkModel() const
{
    Q_D(const TreeIndexCheckModel);
    return d->checks;
}

void TreeIndexCheckModel::setCheckModel(RecordCheckList* list)
{
    Q_D(TreeIndexCheckModel);
    beginResetModel();
    {
        const QSignalBlocker quiet(this);
        if (d->checks)
            disconnect(d->checks, nullptr, this, nullptr);
        d->checks = list;
        recount(rootItem());
    }
    endResetModel();
    if (!list)
        return;
    connect(list, &RecordCheckList::added, this, &TreeIndexCheckModel::onListChanged);
    // Queued: the table takes a record out of the list while it commits, before this model has seen the batch.
    connect(list, &RecordCheckList::removed, this, &TreeIndexCheckModel::onListChanged, Qt::QueuedConnection);
}

bool TreeIndexCheckModel::isLeaf(const GroupmentTreeItem* item) const
{
    return item != rootItem() && item->level() == groupmentList().size() - 1;
}

void TreeIndexCheckModel::recount(GroupmentTreeItem* item)
{
    Q_D(TreeIndexCheckModel);
    if (isLeaf(item)) {
        item->setCheckState(d->checks && d->checks->contains(item->record()) ? Qt::Checked : Qt::Unchecked);
        return;
    }
    item->addCheckedCounts(-item->checkedCount(), -item->partlyCheckedCount());
    for (GroupmentTreeItem* child : item->childList()) {
        recount(child);
        item->addCheckedCounts(checkedOf(child->checkState()), partlyOf(child->checkState()));
    }
    item->setCheckState(item->caclCheckState());
}

void TreeIndexCheckModel::applyState(GroupmentTreeItem* item, Qt::CheckState state)
{
    for (;;) {
        const Qt::CheckState old = item->checkState();
        if (old == state || item == rootItem())
            return;
        item->setCheckState(state);
        emitItemChanged(item, 0, 0, { Qt::CheckStateRole });
        GroupmentTreeItem* parent = item->parent();
        parent->addCheckedCounts(checkedOf(state) - checkedOf(old), partlyOf(state) - partlyOf(old));
        item = parent;
        state = parent->caclCheckState();
    }
}

void TreeIndexCheckModel::childrenInserted(GroupmentTreeItem* parent, const QVector<GroupmentTreeItem*>& items)
{
    Q_D(TreeIndexCheckModel);
    for (GroupmentTreeItem* item : items) {
        if (isLeaf(item))
            item->setCheckState(d->checks && d->checks->contains(item->record()) ? Qt::Checked : Qt::Unchecked);
        parent->addCheckedCounts(checkedOf(item->checkState()), partlyOf(item->checkState()));
    }
    applyState(parent, parent->caclCheckState());
}

void TreeIndexCheckModel::childrenRemoved(GroupmentTreeItem* parent, int, const QVector<GroupmentTreeItem*>& items)
{
    for (const GroupmentTreeItem* item : items)
        parent->addCheckedCounts(-checkedOf(item->checkState()), -partlyOf(item->checkState()));
    applyState(parent, parent->caclCheckState());
}

void TreeIndexCheckModel::onListChanged(const Record& record)
{
    Q_D(TreeIndexCheckModel);
    GroupmentTreeItem* leaf = itemByIndex(indexByRecord(record));
    if (leaf != rootItem() && d->checks)
        applyState(leaf, d->checks->contains(leaf->record()) ? Qt::Checked : Qt::Unchecked);
}

void TreeIndexCheckModel::setLevelChecked(GroupmentTreeItem* item, Qt::CheckState state)
{
    Q_D(TreeIndexCheckModel);
    if (!isLeaf(item)) {
        for (GroupmentTreeItem* child : item->childList())
            setLevelChecked(child, state);
        return;
    }
    if (state == Qt::Checked)
        d->checks->check(item->record());
    else
        d->checks->uncheck(item->record());
    applyState(item, state);
}

bool TreeIndexCheckModel::setChecked(bool checked, const QModelIndex& index)
{
    return setData(index, checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
}

bool TreeIndexCheckModel::isChecked(const QModelIndex& index) const
{
    return index.isValid() && itemByIndex(index)->checkState() == Qt::Checked;
}

bool TreeIndexCheckModel::isCheckable(const QModelIndex& index) const
{
    return flags(index).testFlag(Qt::ItemIsUserCheckable);
}

void TreeIndexCheckModel::hideUncheckedRows(bool hide)
{
    Q_D(TreeIndexCheckModel);
    if (hide == d->hideUnchecked)
        return;
    d->hideUnchecked = hide;
    rebuild();
}

int TreeIndexCheckModel::checkedCount() const
{
    return rootItem()->checkedCount();
}

int TreeIndexCheckModel::uncheckedCount() const
{
    return totalCount() - checkedCount();
}

int TreeIndexCheckModel::totalCount() const
{
    return rootItem()->childCount();
}

bool TreeIndexCheckModel::filter(const Record& record) const
{
    Q_D(const TreeIndexCheckModel);
    if (d->hideUnchecked && !(d->checks && d->checks->contains(record)))
        return false;
    return TreeIndexModelWithTextFilter::filter(record);
}

Qt::ItemFlags TreeIndexCheckModel::flags(const QModelIndex& index) const
{
    Q_D(const TreeIndexCheckModel);
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = TreeIndexModelWithTextFilter::flags(index);
    return index.column() == 0 && d->checks ? flags | Qt::ItemIsUserCheckable : flags;
}

QVariant TreeIndexCheckModel::data(const QModelIndex& index, int role) const
{
    Q_D(const TreeIndexCheckModel);
    if (role == Qt::CheckStateRole && index.isValid() && index.column() == 0 && d->checks)
        return int(itemByIndex(index)->checkState());
    return TreeIndexModelWithTextFilter::data(index, role);
}

bool TreeIndexCheckModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    Q_D(TreeIndexCheckModel);
    if (role != Qt::CheckStateRole || !index.isValid() || index.column() != 0 || !d->checks)
        return TreeIndexModelWithTextFilter::setData(index, value, role);
    setLevelChecked(itemByIndex(index), value.toInt() == Qt::Unchecked ? Qt::Unchecked : Qt::Checked);
    return true;
}

QString TreeIndexCheckModel::getClassName() const
{
    return QStringLiteral("TreeIndexCheckModel");
}
