#include "trees/private/recorditemmap.h"

std::size_t RecordItemMap::home(const RecordData* record) const
{
    // Rows are allocated blocks: the low bits carry nothing, a multiplicative mix spreads the rest.
    const quint64 bits = quint64(reinterpret_cast<quintptr>(record)) * 0x9E3779B97F4A7C15ull;
    return std::size_t(bits >> 20) & (m_slots.size() - 1);
}

std::size_t RecordItemMap::find(const RecordData* record) const
{
    // The record's slot, or the empty slot that ends its run.
    const std::size_t mask = m_slots.size() - 1;
    std::size_t i = home(record);
    while (!m_slots[i].record.isNull() && m_slots[i].record.handle() != record)
        i = (i + 1) & mask;
    return i;
}

GroupmentTreeItem* RecordItemMap::value(const Record& record) const
{
    if (m_slots.empty() || record.isNull())
        return nullptr;
    return m_slots[find(record.handle())].item;
}

void RecordItemMap::insert(const Record& record, GroupmentTreeItem* item)
{
    if (record.isNull())
        return;
    if (std::size_t(m_size + 1) * 4 > m_slots.size() * 3)
        grow(qMax<std::size_t>(16, m_slots.size() * 2));
    Slot& slot = m_slots[find(record.handle())];
    slot.record = record;
    slot.item = item;
    ++m_size;
}

GroupmentTreeItem* RecordItemMap::take(const Record& record)
{
    if (m_slots.empty() || record.isNull())
        return nullptr;
    const std::size_t mask = m_slots.size() - 1;
    std::size_t hole = find(record.handle());
    GroupmentTreeItem* item = m_slots[hole].item;
    if (!item)
        return nullptr;
    // Backward shift: each later entry of the run that may sit in the hole moves into it.
    for (std::size_t j = (hole + 1) & mask; !m_slots[j].record.isNull(); j = (j + 1) & mask) {
        const std::size_t want = home(m_slots[j].record.handle());
        const bool canMove = hole <= j ? (want <= hole || want > j) : (want <= hole && want > j);
        if (canMove) {
            m_slots[hole].record = m_slots[j].record;
            m_slots[hole].item = m_slots[j].item;
            hole = j;
        }
    }
    m_slots[hole] = Slot();
    --m_size;
    return item;
}

void RecordItemMap::clear()
{
    std::vector<Slot>().swap(m_slots);
    m_size = 0;
}

void RecordItemMap::reserve(int count)
{
    std::size_t capacity = 16;
    while (capacity * 3 < std::size_t(count) * 4)
        capacity *= 2;
    if (capacity > m_slots.size())
        grow(capacity);
}

void RecordItemMap::grow(std::size_t capacity)
{
    std::vector<Slot> old(capacity);
    old.swap(m_slots);
    for (Slot& slot : old) {
        if (!slot.record.isNull())
            m_slots[find(slot.record.handle())] = std::move(slot);
    }
}

QList<Record> RecordItemMap::records() const
{
    QList<Record> all;
    all.reserve(m_size);
    for (const Slot& slot : m_slots) {
        if (!slot.record.isNull())
            all << slot.record;
    }
    return all;
}
