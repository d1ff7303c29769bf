#pragma once

#include "models/filterindexmodel.h"

#include <map>

class Groupment;
class ProgressHelper;
class GroupmentTreeItem;
class TreeIndexModelPrivate;

// The records of a live table as a tree of groups: each record the filters accept hangs under one group per
// grouping level (Groupment), for example board, underlying, instrument. Groups are sorted by name in the group
// order, records by the sort column; a group appears with its first record and goes with its last.
//
// It follows the table record by record and batch by batch with item signals: row inserts (new children of a
// parent merged in sorted runs, one signal per run), row removals (merged into ranges per parent), moves (a
// record whose groups or place among its siblings change keeps its item, so persistent indexes and selections
// follow it) and dataChanged over the changed columns. A batch's new rows and moves are one layout change, not a
// signal each, followed by itemsArrived() for the rows that came in; a batch of more than a few changes is one
// layout change from its start, its dataChanged sent after it. With item signals off a batch is one model reset.
// Items are addressed by QModelIndex::internalId(): the item's address, its lowest bit set for a leaf. The model
// changes only on the GUI thread; a large build asks the groupments for keys and sorts siblings on worker threads, so
// groupKey() and the items' compare() must only read.
class BASIC_VIEWS_EXPORT TreeIndexModel : public FilterIndexModel
{
    Q_OBJECT
    Q_DECLARE_PRIVATE(TreeIndexModel)
public:
    explicit TreeIndexModel(Table* table, QObject* parent = nullptr);
    ~TreeIndexModel() override;

    // Not owned; level i of the tree is made by groupment i, the last one makes the leaves. Takes effect with
    // the next build.
    void setGroupmentList(const QList<Groupment*>& groupments);
    QList<Groupment*> groupmentList() const;
    // The order of groups by name: the order of column 0 (ascending after construction).
    Qt::SortOrder groupSortOrder() const;
    // Stores the sort; a sort of column 0 also sets the group order. No signal (sort() re-sorts).
    void setSort(int column, Qt::SortOrder order) override;
    bool itemSignals() const;
    void setItemSignals(bool on);

    GroupmentTreeItem* rootItem() const;
    // The root for an invalid index.
    GroupmentTreeItem* itemByIndex(const QModelIndex& index) const;
    // Invalid for the root.
    QModelIndex indexByItem(const GroupmentTreeItem* item, int column = 0) const;
    Record recordByIndex(const QModelIndex& index) const override;
    Record getRecord(const QModelIndex& index) const { return recordByIndex(index); }
    bool isRecord(const QModelIndex& index) const;
    QModelIndex indexByRecord(const Record& record, int column = 0) const;
    // The leaf holding the record; null when the tree does not show it.
    GroupmentTreeItem* itemByRecord(const Record& record) const;
    QModelIndex indexColumn(const QModelIndex& index, int column) const override;
    // Depth first, parents before children: the first row for an invalid index, else the next row; invalid
    // after the last.
    QModelIndex treeWalk(const QModelIndex& index) const;
    QList<Record> recordsFromTree() const;
    // Records in the item's subtree (the whole tree for null).
    int recordsCount(const GroupmentTreeItem* item = nullptr) const;
    int fieldIndex(const QString& name) const override;
    bool isTreeModel() const override { return true; }

    // Index
    bool contains(const Record& record) const override;
    void add(const Record& record) override;
    void remove(const Record& record, int row) override;
    void update(const Record& record, int firstColumn, int lastColumn, int row) override;
    void process(const QList<Record>& removed, const QList<Record>& updated, int firstColumn, int lastColumn,
        const QList<Record>& added) override;
    // One model reset (while item signals are on) around placing every record the filters accept.
    void build() override;
    // One model reset (while item signals are on).
    void clear() override;
    // Sorts every item's children in one layout change; persistent indexes follow their items.
    void resort() override;
    // One layout change; persistent indexes follow their items.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    QString getClassName() const override;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    QModelIndex sibling(int row, int column, const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Rows of the last level never have children: a tree view asks every row it lays out, and a row that says so
    // spares it two hash lookups (is the row a persistent index, is it open).
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A row of the last level: an item of records.
    bool isLeaf(const QModelIndex& index) const;
    // Moves items within one parent without re-sorting; the next sort restores the order.
    bool moveRows(const QModelIndex& sourceParent, int sourceRow, int count, const QModelIndex& destinationParent,
        int destinationChild) override;

Q_SIGNALS:
    // Rows that came into the tree (new, or moved under another parent) inside a layout change, told right after
    // it, in column 0. With rowsInserted and rowsMoved these are every row that arrives: a view that acts on new
    // rows (opening new groups) listens to all three.
    void itemsArrived(const QModelIndexList& indexes);

protected:
    TreeIndexModel(Table* table, TreeIndexModelPrivate& dd, QObject* parent);

    // These items have just joined `parent` (after the insert signal).
    virtual void childrenInserted(GroupmentTreeItem* parent, const QVector<GroupmentTreeItem*>& items);
    // These items, from row `row` on, have just left `parent` (after the remove signal), before they are deleted or
    // placed elsewhere.
    virtual void childrenRemoved(GroupmentTreeItem* parent, int row, const QVector<GroupmentTreeItem*>& items);
    // A child of `parent` has just moved among its siblings, from row `from` to row `to` (also as one of many in a
    // sort: then for the child that was first).
    virtual void childMoved(GroupmentTreeItem* parent, int from, int to);
    // dataChanged over the item's row, from column first to last, while item signals are on. Inside a batch's
    // layout change it waits for the layout's end, merged with the item's other changes.
    void emitItemChanged(GroupmentTreeItem* item, int first, int last, const QVector<int>& roles = {});
    // Removes every item of the tree and forgets every record; no signal.
    void clearTree();

private:
    // The index of an item at `level`, tagged as a leaf when the level is the last groupment's.
    QModelIndex createItemIndex(int row, int column, const GroupmentTreeItem* item, int level) const;
    // New children found while placing records: per level, per parent, in the order they came.
    using Pending = std::map<int, std::map<GroupmentTreeItem*, QVector<GroupmentTreeItem*>>>;
    // Puts the record under its chain of groups, making the missing ones; false (nothing changes) when a
    // groupment makes no item. `keys` are the record's group keys when already known.
    bool place(const Record& record, Pending& pending, QVector<GroupmentTreeItem*>& changed, QString* keys = nullptr);
    // Places the source's records the filters keep; a large source's filter and keys on the worker threads.
    void placeAll(Pending& pending, QVector<GroupmentTreeItem*>& changed, ProgressHelper& progress);
    // Forgets and deletes groups made for a record that found no place after all, before anyone saw them.
    void dropCreated(Pending& pending, const QVector<GroupmentTreeItem*>& created);
    // Inserts the pending children into their parents' sorted lists, level by level, and signals the changed
    // items.
    void merge(Pending& pending, const QVector<GroupmentTreeItem*>& changed);
    // `children` sorted by less().
    void insertSorted(GroupmentTreeItem* parent, const QVector<GroupmentTreeItem*>& children);
    void removeRecords(const QList<Record>& records);
    // Removes each item with its subtree; the items are the highest of their chains left without records.
    void removeItems(const QVector<GroupmentTreeItem*>& items);
    // A record whose group keys changed: its leaf moves under the new groups when it can, otherwise the record
    // is removed and placed again.
    void relocate(const Record& record, GroupmentTreeItem* leaf, const QStringList& keys);
    // Puts an item whose order among its siblings broke back in place with one move.
    void reposition(GroupmentTreeItem* item);
    // Puts the items of a batch's updated records that are still out of place back in place.
    void settleOrder(const QList<Record>& updated);
    bool inOrder(const GroupmentTreeItem* item) const;
    // The first place among the parent's children (without row `skip`) whose item sorts after `item`.
    int upperBound(const GroupmentTreeItem* parent, const GroupmentTreeItem* item, int skip = -1) const;
    void sortChildren(GroupmentTreeItem* item);
    bool less(const GroupmentTreeItem* a, const GroupmentTreeItem* b) const;
    // Every row insert or move signal makes Qt walk all persistent indexes (a tree view keeps one per open group),
    // so a batch that signalled its rows one run at a time cost runs × open groups. Inside a batch the first
    // insert or move opens one layout change (a batch of many changes opens it at its start); it closes before a
    // removal and at the batch's end, with persistent indexes following their items, then the waiting dataChanged
    // and itemsArrived() go out.
    void openLayout();
    void closeLayout();
    class BatchScope;
};
