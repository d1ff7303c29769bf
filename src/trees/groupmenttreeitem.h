#pragma once

#include "basic_views_export.h"
#include "core/db/record.h"
#include "trees/groupmentchildren.h"

#include <QHash>
#include <QList>
#include <QVariant>
#include <QVector>

class TreeIndexModel;

// One item of a grouped tree (TreeIndexModel): a group of one grouping level, or a leaf that holds a record.
// Its children stay sorted by compare() for display and are found by key; only the model that owns the item
// changes them, between its begin/end signals. Deleting an item deletes its children.
//
// An item knows the number of records in its subtree, so the model removes a group the moment its last record
// leaves and answers recordsCount() without walking.
//
// A tree holds an item per record: a leaf keyed by its record keeps only its record, its place and its counts
// (56 bytes, a 64-byte heap block). Key, name, further records and the model live in a part made only for the
// items that have them; an item finds its model through the top of its tree.
class BASIC_VIEWS_EXPORT GroupmentTreeItem
{
public:
    GroupmentTreeItem(const QString& key, GroupmentTreeItem* parent);
    GroupmentTreeItem(const QString& key, const QString& name, GroupmentTreeItem* parent);
    virtual ~GroupmentTreeItem();

    // Offered every record placed in the item's subtree; true when what the item shows changed. A plain group
    // takes none.
    virtual bool addRecord(const Record& record);
    // Told of every record leaving the subtree while the item stays; true when what it shows changed.
    virtual bool removeRecord(const Record& record);
    // A record of the subtree changed in fields first..last; true when what the item shows may have changed.
    virtual bool updateRecord(const Record& record, int first, int last);
    // The sibling order: records by the model's sort, groups by name without regard to case (ties by key), each
    // reversed when the model's order for it is descending.
    virtual int compare(const TreeIndexModel* model, const GroupmentTreeItem* other) const;
    virtual QVariant data(int column, int role) const;
    // The view columns showing fields first..last of the record.
    virtual void mapColumnUpdated(const Record& record, int first, int last, int& firstColumn, int& lastColumn);

    // What an item asks of the model it belongs to. Items sit below their model (the model makes, keeps and
    // orders them), so the model lends these when it is first made instead of items including it.
    struct ModelHooks
    {
        int (*compareRecords)(const TreeIndexModel* model, const Record& a, const Record& b);
        Qt::SortOrder (*groupSortOrder)(const TreeIndexModel* model);
        void (*mapColumnFromTable)(
            const TreeIndexModel* model, int firstField, int lastField, int& firstColumn, int& lastColumn);
    };
    // Once, on the GUI thread, before the first item is compared.
    static void setModelHooks(const ModelHooks& hooks);

    QString groupKey() const { return m_keyIsRecordKey ? m_record.toString() : key(); }
    // The item's key is its record's key: it is not kept, and the item is not in its parent's lookup by key.
    void takeKeyFromRecord();
    QString groupName() const { return m_keyIsRecordKey ? groupKey() : name(); }
    // The model of the item's tree: the one set on its top item.
    TreeIndexModel* model() const;
    // Set on the top item (the root, or an item made alone); items below find it there.
    void setModel(TreeIndexModel* model);
    GroupmentTreeItem* parent() const { return m_parent; }
    // The record shown by the item; null for a plain group.
    const Record& record() const { return m_record; }
    // Further records the item holds beside the shown one (a group showing its first record, leaves sharing a key).
    const QList<Record>& records() const;

    int childCount() const { return m_children ? m_children->sorted.size() : 0; }
    // Null outside 0..childCount()-1.
    GroupmentTreeItem* child(int row) const;
    // A child already created for the key, in the sorted list or still waiting to be merged into it.
    GroupmentTreeItem* childByKey(const QString& key) const;
    // The children in display order (a copy).
    QVector<GroupmentTreeItem*> childList() const;
    // Depth: -1 for the root, 0 for its children. Kept: a tree view asks it of every row it lays out.
    int level() const { return int(m_level); }
    // The position among the parent's sorted children; -1 for the root.
    int row() const;
    // Records placed in the subtree.
    int recordsCount() const { return m_recordsCount; }

    // Check marks (TreeIndexCheckModel): the state, and how many children are checked or partly checked.
    Qt::CheckState checkState() const { return Qt::CheckState(m_checkState); }
    void setCheckState(Qt::CheckState state) { m_checkState = quint8(state); }
    int checkedCount() const { return m_children ? m_children->checked : 0; }
    int partlyCheckedCount() const { return m_children ? m_children->partly : 0; }
    void addCheckedCounts(int checked, int partly);
    // Unchecked without checked or partly checked children, Checked when all are checked, else partly.
    Qt::CheckState caclCheckState() const;

    // The model's container edits. Each keeps the key lookup, the rows and the counts right.
    void enterKey(GroupmentTreeItem* child);
    void forgetKey(GroupmentTreeItem* child);
    void insertChildren(int row, GroupmentTreeItem* const* first, int count);
    // Takes children row..row+count-1 out of the sorted list and the lookup; the caller owns them.
    void takeChildren(int row, int count);
    // Replaces the sorted list by a permutation of itself, or by all children in the lookup.
    void setChildrenOrder(const QVector<GroupmentTreeItem*>& sorted);
    // Another parent of the same level (a leaf moving to other groups).
    void setParent(GroupmentTreeItem* parent)
    {
        Q_ASSERT(parent && parent->m_level + 1 == m_level);
        m_parent = parent;
    }
    void addRecordsCount(int delta) { m_recordsCount += delta; }

protected:
    // The further records, for a subclass that holds them.
    void appendRecord(const Record& record);
    void removeFurtherRecord(const Record& record);
    // The first further record, taken out; null when there is none.
    Record takeFurtherRecord();

    Record m_record;

private:
    Q_DISABLE_COPY(GroupmentTreeItem)
    friend class GroupmentChildren;

    struct Children
    {
        GroupmentChildren sorted;
        QHash<QString, GroupmentTreeItem*> byKey;
        int checked = 0;
        int partly = 0;
    };
    Children& ensureChildren();

    struct Extra
    {
        QString key;
        QString name;
        QList<Record> records;
        TreeIndexModel* model = nullptr; // not owned
    };
    Extra& ensureExtra();
    const QString& key() const;
    const QString& name() const;

    GroupmentTreeItem* m_parent; // not owned
    Children* m_children = nullptr; // owned, made with the first child
    GroupmentChildBlock* m_block = nullptr; // the parent's block holding the item
    Extra* m_extra = nullptr; // owned, made for an item with a key, a name, further records or a model
    int m_recordsCount = 0;
    qint16 m_level;
    quint8 m_checkState = Qt::Unchecked;
    bool m_keyIsRecordKey = false;
};
