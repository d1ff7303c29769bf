#include "trees/groupmenttreeitem.h"

#include "columns/itemroles.h"
#include "trees/treeindexmodel.h"

GroupmentTreeItem::GroupmentTreeItem(const QString& key, GroupmentTreeItem* parent)
    : GroupmentTreeItem(key, key, parent)
{ }

GroupmentTreeItem::GroupmentTreeItem(const QString& key, const QString& name, GroupmentTreeItem* parent)
    : m_key(key)
    , m_name(name)
    , m_parent(parent)
{ }

GroupmentTreeItem::~GroupmentTreeItem()
{
    if (m_children)
        qDeleteAll(m_children->byKey);
    delete m_children;
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
        return model->compare(m_record, other->m_record);
    int result = m_name.compare(other->m_name, Qt::CaseInsensitive);
    if (result == 0)
        result = m_key.compare(other->m_key);
    return model->groupSortOrder() == Qt::DescendingOrder ? -result : result;
}

QVariant GroupmentTreeItem::data(int column, int role) const
{
    if (role == GroupKeyRole)
        return m_key;
    if (column == 0 && (role == Qt::DisplayRole || role == Qt::EditRole))
        return m_name;
    return QVariant();
}

void GroupmentTreeItem::mapColumnUpdated(const Record&, int first, int last, int& firstColumn, int& lastColumn)
{
    firstColumn = -1;
    lastColumn = -1;
    if (m_model)
        m_model->mapColumnFromTable(first, last, firstColumn, lastColumn);
}

GroupmentTreeItem* GroupmentTreeItem::child(int row) const
{
    return row >= 0 && row < childCount() ? m_children->sorted.at(row) : nullptr;
}

GroupmentTreeItem* GroupmentTreeItem::childByKey(const QString& key) const
{
    return m_children ? m_children->byKey.value(key) : nullptr;
}

const QVector<GroupmentTreeItem*>& GroupmentTreeItem::children() const
{
    static const QVector<GroupmentTreeItem*> none;
    return m_children ? m_children->sorted : none;
}

int GroupmentTreeItem::level() const
{
    int depth = -1;
    for (const GroupmentTreeItem* item = m_parent; item; item = item->m_parent)
        ++depth;
    return depth;
}

int GroupmentTreeItem::row() const
{
    if (!m_parent)
        return -1;
    m_parent->numberRows();
    return m_row;
}

void GroupmentTreeItem::numberRows() const
{
    // Rows are renumbered lazily from the first place an edit touched: a batch of edits to one parent costs one
    // pass, not one per edit.
    Children* c = m_children;
    if (!c)
        return;
    for (int i = c->numbered; i < c->sorted.size(); ++i)
        c->sorted.at(i)->m_row = i;
    c->numbered = c->sorted.size();
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
    ensureChildren().byKey.insert(child->m_key, child);
}

void GroupmentTreeItem::forgetKey(GroupmentTreeItem* child)
{
    if (m_children && m_children->byKey.value(child->m_key) == child)
        m_children->byKey.remove(child->m_key);
}

void GroupmentTreeItem::insertChildren(int row, const GroupmentTreeItem* const* first, int count)
{
    Children& c = ensureChildren();
    c.sorted.insert(row, count, nullptr);
    for (int i = 0; i < count; ++i)
        c.sorted[row + i] = const_cast<GroupmentTreeItem*>(first[i]);
    c.numbered = qMin(c.numbered, row);
}

void GroupmentTreeItem::takeChildren(int row, int count)
{
    Children& c = ensureChildren();
    for (int i = row; i < row + count; ++i)
        forgetKey(c.sorted.at(i));
    c.sorted.remove(row, count);
    c.numbered = qMin(c.numbered, row);
}

void GroupmentTreeItem::setChildrenOrder(const QVector<GroupmentTreeItem*>& sorted)
{
    Children& c = ensureChildren();
    c.sorted = sorted;
    c.numbered = 0;
}
