#pragma once

#include <QVector>

#include <vector>

class GroupmentTreeItem;

// A run of consecutive children; each child knows the block it is in.
struct GroupmentChildBlock
{
    QVector<GroupmentTreeItem*> items;
    int start = 0; // the row of items[0], current for the blocks before GroupmentChildren's stale mark
};

// The children of a tree item in display order, kept in blocks of a few hundred: an item's row, an insert and a
// removal cost O(sqrt n) instead of O(n). A parent holding tens of thousands of records (the orders of one
// instrument) then takes a batch of moves without renumbering all its children for each of them.
class GroupmentChildren
{
public:
    GroupmentChildren() = default;
    ~GroupmentChildren();

    int size() const { return m_size; }
    // row in 0..size()-1.
    GroupmentTreeItem* at(int row) const;
    // The row of a child of this list.
    int rowOf(const GroupmentTreeItem* item) const;
    void insert(int row, GroupmentTreeItem* const* items, int count);
    void remove(int row, int count);
    void assign(const QVector<GroupmentTreeItem*>& items);
    QVector<GroupmentTreeItem*> toVector() const;

private:
    Q_DISABLE_COPY(GroupmentChildren)
    static constexpr int BlockSize = 256;

    void refreshStarts() const;
    // The block holding `row` (0 <= row < size()).
    int blockOf(int row) const;
    void adopt(GroupmentChildBlock* block, int from);
    void split(int index);

    std::vector<GroupmentChildBlock*> m_blocks; // owned
    int m_size = 0;
    mutable int m_fresh = 0; // blocks [0, m_fresh) have current starts
};
