#include "trees/groupmentchildren.h"

#include "trees/groupmenttreeitem.h"

#include <algorithm>

GroupmentChildren::~GroupmentChildren()
{
    for (GroupmentChildBlock* block : m_blocks)
        delete block;
}

void GroupmentChildren::refreshStarts() const
{
    if (!m_blocks.empty())
        m_blocks.front()->start = 0;
    for (int i = qMax(1, m_fresh); i < int(m_blocks.size()); ++i)
        m_blocks[i]->start = m_blocks[i - 1]->start + m_blocks[i - 1]->items.size();
    m_fresh = int(m_blocks.size());
}

int GroupmentChildren::blockOf(int row) const
{
    refreshStarts();
    const auto after = std::upper_bound(m_blocks.begin(), m_blocks.end(), row,
        [](int r, const GroupmentChildBlock* block) { return r < block->start; });
    return int(after - m_blocks.begin()) - 1;
}

GroupmentTreeItem* GroupmentChildren::at(int row) const
{
    const GroupmentChildBlock* block = m_blocks[blockOf(row)];
    return block->items.at(row - block->start);
}

int GroupmentChildren::rowOf(const GroupmentTreeItem* item) const
{
    refreshStarts();
    const GroupmentChildBlock* block = item->m_block;
    return block->start + block->items.indexOf(const_cast<GroupmentTreeItem*>(item));
}

void GroupmentChildren::adopt(GroupmentChildBlock* block, int from)
{
    for (int i = from; i < block->items.size(); ++i)
        block->items.at(i)->m_block = block;
}

void GroupmentChildren::split(int index)
{
    // A block grown past twice the size is cut into blocks of the size.
    GroupmentChildBlock* block = m_blocks[index];
    int at = index + 1;
    while (block->items.size() > 2 * BlockSize) {
        const int keep = block->items.size() - BlockSize;
        auto* tail = new GroupmentChildBlock;
        tail->items = block->items.mid(keep);
        block->items.resize(keep);
        adopt(tail, 0);
        m_blocks.insert(m_blocks.begin() + at, tail);
    }
    m_fresh = qMin(m_fresh, index + 1);
}

void GroupmentChildren::insert(int row, GroupmentTreeItem* const* items, int count)
{
    if (count <= 0)
        return;
    if (m_blocks.empty())
        m_blocks.push_back(new GroupmentChildBlock);
    const int index = row >= m_size ? int(m_blocks.size()) - 1 : blockOf(row);
    GroupmentChildBlock* block = m_blocks[index];
    refreshStarts();
    const int at = row - block->start;
    block->items.insert(at, count, nullptr);
    std::copy(items, items + count, block->items.begin() + at);
    for (int i = at; i < at + count; ++i)
        block->items.at(i)->m_block = block;
    m_size += count;
    m_fresh = qMin(m_fresh, index + 1);
    if (block->items.size() > 2 * BlockSize)
        split(index);
}

void GroupmentChildren::remove(int row, int count)
{
    while (count > 0) {
        const int index = blockOf(row);
        GroupmentChildBlock* block = m_blocks[index];
        const int at = row - block->start;
        const int n = qMin(count, block->items.size() - at);
        block->items.remove(at, n);
        m_size -= n;
        count -= n;
        if (block->items.isEmpty()) {
            delete block;
            m_blocks.erase(m_blocks.begin() + index);
            m_fresh = qMin(m_fresh, index);
        } else {
            m_fresh = qMin(m_fresh, index + 1);
        }
    }
}

void GroupmentChildren::assign(const QVector<GroupmentTreeItem*>& items)
{
    for (GroupmentChildBlock* block : m_blocks)
        delete block;
    m_blocks.clear();
    for (int from = 0; from < items.size(); from += BlockSize) {
        auto* block = new GroupmentChildBlock;
        block->items = items.mid(from, BlockSize);
        adopt(block, 0);
        m_blocks.push_back(block);
    }
    m_size = items.size();
    m_fresh = 0;
}

QVector<GroupmentTreeItem*> GroupmentChildren::toVector() const
{
    QVector<GroupmentTreeItem*> all;
    all.reserve(m_size);
    for (const GroupmentChildBlock* block : m_blocks)
        all += block->items;
    return all;
}
