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
    : m_parent(parent)
    , m_level(qint16(parent ? parent->m_level + 1 : -1))
{
    if (!key.isNull() || !name.isNull()) {
        Extra& extra = ensureExtra();
        extra.key = key;
        extra.name = name;
    }
}

GroupmentTreeItem::~GroupmentTreeItem()
{
    delete m_extra;
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
    if (m_extra) {
        m_extra->key = QString();
        m_extra->name = QString();
    }
    m_keyIsRecordKey = true;
}

GroupmentTreeItem::Extra& GroupmentTreeItem::ensureExtra()
{
    if (!m_extra)
        m_extra = new Extra;
    return *m_extra;
}

const QString& GroupmentTreeItem::key() const
{
    static const QString none;
    return m_extra ? m_extra->key : none;
}

const QString& GroupmentTreeItem::name() const
{
    static const QString none;
    return m_extra ? m_extra->name : none;
}

TreeIndexModel* GroupmentTreeItem::model() const
{
    const GroupmentTreeItem* top = this;
    while (top->m_parent)
        top = top->m_parent;
    return top->m_extra ? top->m_extra->model : nullptr;
}

void GroupmentTreeItem::setModel(TreeIndexModel* model)
{
    if (model || m_extra)
        ensureExtra().model = model;
}

const QList<Record>& GroupmentTreeItem::records() const
{
    static const QList<Record> none;
    return m_extra ? m_extra->records : none;
}

void GroupmentTreeItem::appendRecord(const Record& record)
{
    ensureExtra().records.append(record);
}

void GroupmentTreeItem::removeFurtherRecord(const Record& record)
{
    if (m_extra)
        m_extra->records.removeOne(record);
}

Record GroupmentTreeItem::takeFurtherRecord()
{
    return m_extra && !m_extra->records.isEmpty() ? m_extra->records.takeFirst() : Record();
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
    int result = name().compare(other->name(), Qt::CaseInsensitive);
    if (result == 0)
        result = key().compare(other->key());
    return modelHooks.groupSortOrder(model) == Qt::DescendingOrder ? -result : result;
}

QVariant GroupmentTreeItem::data(int column, int role) const
{
    if (role == GroupKeyRole)
        return groupKey();
    if (column == 0 && (role == Qt::DisplayRole || role == Qt::EditRole))
        return name();
    return QVariant();
}

void GroupmentTreeItem::mapColumnUpdated(const Record&, int first, int last, int& firstColumn, int& lastColumn)
{
    firstColumn = -1;
    lastColumn = -1;
    if (const TreeIndexModel* owner = model())
        modelHooks.mapColumnFromTable(owner, first, last, firstColumn, lastColumn);
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
    ensureChildren().byKey.insert(child->key(), child);
}

void GroupmentTreeItem::forgetKey(GroupmentTreeItem* child)
{
    if (m_children && m_children->byKey.value(child->key()) == child)
        m_children->byKey.remove(child->key());
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
