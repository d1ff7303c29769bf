#include "trees/groupmenttreeitem.h"

#include "columns/itemroles.h"

namespace {

// Set by the first tree model made; read-only afterwards, also on the worker threads that sort siblings.
GroupmentTreeItem::ModelHooks modelHooks = {};

} // namespace

void GroupmentTreeItem::setModelHooks(const ModelHooks& hooks)
{
    modelHooks = hooks;
}

GroupmentTreeItem::GroupmentTreeItem(const QString& key, GroupmentTreeItem* parent)
    : GroupmentTreeItem(key, key, parent)
{ }

GroupmentTreeItem::GroupmentTreeItem(const QString& key, const QString& name, GroupmentTreeItem* parent)
    : m_key(key)
    , m_name(name)
    , m_parent(parent)
    , m_level(parent ? parent->m_level + 1 : -1)
{ }

GroupmentTreeItem::~GroupmentTreeItem()
{
    if (!m_children)
        return;
    // Those made but not yet merged into the sorted children, then the sorted ones.
    for (GroupmentTreeItem* child : qAsConst(m_children->byKey)) {
        if (!child->m_block)
            delete child;
    }
    qDeleteAll(m_children->sorted.toVector());
    delete m_children;
}

void GroupmentTreeItem::takeKeyFromRecord()
{
    m_key = QString();
    m_name = QString();
    m_keyIsRecordKey = true;
}

bool GroupmentTreeItem::addRecord(const Record&)
{
    return false;
}

bool GroupmentTreeItem::removeRecord(const Record&)
{
    return false;
}

bool GroupmentTreeItem::updateRecord(const Record& record, int, int)
{
    const bool added = addRecord(record);
    const bool removed = removeRecord(record);
    return added || removed;
}

int GroupmentTreeItem::compare(const TreeIndexModel* model, const GroupmentTreeItem* other) const
{
    if (!m_record.isNull() && !other->m_record.isNull())
        return modelHooks.compareRecords(model, m_record, other->m_record);
    int result = m_name.compare(other->m_name, Qt::CaseInsensitive);
    if (result == 0)
        result = m_key.compare(other->m_key);
    return modelHooks.groupSortOrder(model) == Qt::DescendingOrder ? -result : result;
}

QVariant GroupmentTreeItem::data(int column, int role) const
{
    if (role == GroupKeyRole)
        return groupKey();
    if (column == 0 && (role == Qt::DisplayRole || role == Qt::EditRole))
        return m_name;
    return QVariant();
}

void GroupmentTreeItem::mapColumnUpdated(const Record&, int first, int last, int& firstColumn, int& lastColumn)
{
    firstColumn = -1;
    lastColumn = -1;
    if (m_model)
        modelHooks.mapColumnFromTable(m_model, first, last, firstColumn, lastColumn);
}

GroupmentTreeItem* GroupmentTreeItem::child(int row) const
{
    return row >= 0 && row < childCount() ? m_children->sorted.at(row) : nullptr;
}

GroupmentTreeItem* GroupmentTreeItem::childByKey(const QString& key) const
{
    return m_children ? m_children->byKey.value(key) : nullptr;
}

QVector<GroupmentTreeItem*> GroupmentTreeItem::childList() const
{
    return m_children ? m_children->sorted.toVector() : QVector<GroupmentTreeItem*>();
}

int GroupmentTreeItem::row() const
{
    return m_parent && m_block ? m_parent->m_children->sorted.rowOf(this) : -1;
}

void GroupmentTreeItem::addCheckedCounts(int checked, int partly)
{
    Children& c = ensureChildren();
    c.checked += checked;
    c.partly += partly;
}

Qt::CheckState GroupmentTreeItem::caclCheckState() const
{
    const int checked = checkedCount();
    if (checked == 0 && partlyCheckedCount() == 0)
        return Qt::Unchecked;
    if (checked == childCount())
        return Qt::Checked;
    return Qt::PartiallyChecked;
}

GroupmentTreeItem::Children& GroupmentTreeItem::ensureChildren()
{
    if (!m_children)
        m_children = new Children;
    return *m_children;
}

void GroupmentTreeItem::enterKey(GroupmentTreeItem* child)
{
    if (child->m_keyIsRecordKey)
        return;
    ensureChildren().byKey.insert(child->m_key, child);
}

void GroupmentTreeItem::forgetKey(GroupmentTreeItem* child)
{
    if (m_children && m_children->byKey.value(child->m_key) == child)
        m_children->byKey.remove(child->m_key);
}

void GroupmentTreeItem::insertChildren(int row, GroupmentTreeItem* const* first, int count)
{
    ensureChildren().sorted.insert(row, first, count);
}

void GroupmentTreeItem::takeChildren(int row, int count)
{
    Children& c = ensureChildren();
    for (int i = row; i < row + count; ++i) {
        GroupmentTreeItem* child = c.sorted.at(i);
        forgetKey(child);
        child->m_block = nullptr;
    }
    c.sorted.remove(row, count);
}

void GroupmentTreeItem::setChildrenOrder(const QVector<GroupmentTreeItem*>& sorted)
{
    ensureChildren().sorted.assign(sorted);
}
