#include "trees/private/recorditemmap.h"

#include "trees/groupmenttreeitem.h"

namespace {

constexpr quintptr TagBits = 7;
static_assert(alignof(GroupmentTreeItem) > TagBits, "the hash tag needs three free low bits in an item's address");

quintptr tagOf(quint64 hash)
{
    return quintptr(hash >> 20) & TagBits;
}

GroupmentTreeItem* itemOf(quintptr slot)
{
    return reinterpret_cast<GroupmentTreeItem*>(slot & ~TagBits);
}

// Removes slot `hole` of a linear-probing table by backward shift: each later entry of the run that may sit in
// the hole moves into it. `homeOf` gives a filled slot's home, `empty` tells the run's end.
template<typename Cells, typename HomeOf, typename Empty>
void removeAt(Cells& cells, std::size_t hole, HomeOf homeOf, Empty empty)
{
    const std::size_t capacity = cells.size();
    for (std::size_t j = hole + 1 == capacity ? 0 : hole + 1; !empty(cells[j]); j = j + 1 == capacity ? 0 : j + 1) {
        const std::size_t want = homeOf(cells[j]);
        const bool canMove = hole <= j ? (want <= hole || want > j) : (want <= hole && want > j);
        if (canMove) {
            cells[hole] = std::move(cells[j]);
            hole = j;
        }
    }
    cells[hole] = {};
}

} // namespace

quint64 RecordItemMap::mix(const RecordData* record)
{
    // Rows are allocated blocks: the low bits carry nothing, a multiplicative mix spreads the rest.
    return quint64(reinterpret_cast<quintptr>(record)) * 0x9E3779B97F4A7C15ull;
}

std::size_t RecordItemMap::home(quint64 hash, std::size_t capacity)
{
    // The high bits of the mix scaled to the capacity: no power of two needed.
    return std::size_t((unsigned __int128)(hash)*capacity >> 64);
}

const RecordData* RecordItemMap::shownBy(quintptr slot)
{
    return itemOf(slot)->record().handle();
}

std::size_t RecordItemMap::capacityFor(std::size_t count)
{
    return qMax<std::size_t>(16, count + count / 3 + 1);
}

std::size_t RecordItemMap::findShown(const RecordData* record) const
{
    // The record's slot, or the empty slot that ends its run.
    const std::size_t capacity = m_shown.cells.size();
    const quint64 hash = mix(record);
    const quintptr tag = tagOf(hash);
    std::size_t i = home(hash, capacity);
    for (quintptr slot = m_shown.cells[i]; slot; slot = m_shown.cells[i]) {
        if ((slot & TagBits) == tag && shownBy(slot) == record)
            break;
        i = i + 1 == capacity ? 0 : i + 1;
    }
    return i;
}

std::size_t RecordItemMap::findOther(const RecordData* record) const
{
    const std::size_t capacity = m_other.cells.size();
    std::size_t i = home(mix(record), capacity);
    while (!m_other.cells[i].record.isNull() && m_other.cells[i].record.handle() != record)
        i = i + 1 == capacity ? 0 : i + 1;
    return i;
}

GroupmentTreeItem* RecordItemMap::value(const Record& record) const
{
    if (record.isNull())
        return nullptr;
    if (!m_shown.cells.empty()) {
        if (const quintptr slot = m_shown.cells[findShown(record.handle())])
            return itemOf(slot);
    }
    return m_other.cells.empty() ? nullptr : m_other.cells[findOther(record.handle())].item;
}

void RecordItemMap::insert(const Record& record, GroupmentTreeItem* item)
{
    if (record.isNull())
        return;
    if (item->record() == record) {
        if (std::size_t(m_shown.size + 1) * 4 > m_shown.cells.size() * 3)
            growShown(capacityFor(std::size_t(m_shown.size + 1) * 2));
        const quint64 hash = mix(record.handle());
        m_shown.cells[findShown(record.handle())] = reinterpret_cast<quintptr>(item) | tagOf(hash);
        ++m_shown.size;
        return;
    }
    if (std::size_t(m_other.size + 1) * 4 > m_other.cells.size() * 3)
        growOther(capacityFor(std::size_t(m_other.size + 1) * 2));
    OtherSlot& slot = m_other.cells[findOther(record.handle())];
    slot.record = record;
    slot.item = item;
    ++m_other.size;
}

GroupmentTreeItem* RecordItemMap::take(const Record& record)
{
    if (record.isNull())
        return nullptr;
    if (!m_shown.cells.empty()) {
        const std::size_t at = findShown(record.handle());
        if (const quintptr slot = m_shown.cells[at]) {
            const std::size_t capacity = m_shown.cells.size();
            removeAt(
                m_shown.cells, at, [capacity](quintptr s) { return home(mix(shownBy(s)), capacity); },
                [](quintptr s) { return s == 0; });
            --m_shown.size;
            return itemOf(slot);
        }
    }
    if (m_other.cells.empty())
        return nullptr;
    const std::size_t at = findOther(record.handle());
    GroupmentTreeItem* item = m_other.cells[at].item;
    if (!item)
        return nullptr;
    const std::size_t capacity = m_other.cells.size();
    removeAt(
        m_other.cells, at, [capacity](const OtherSlot& s) { return home(mix(s.record.handle()), capacity); },
        [](const OtherSlot& s) { return s.record.isNull(); });
    --m_other.size;
    return item;
}

void RecordItemMap::clear()
{
    m_shown = ShownTable();
    m_other = OtherTable();
}

void RecordItemMap::reserve(int count)
{
    // Some room beyond the count: growing reads every item again.
    const std::size_t capacity = capacityFor(std::size_t(count) + std::size_t(count) / 8);
    if (capacity > m_shown.cells.size())
        growShown(capacity);
}

void RecordItemMap::growShown(std::size_t capacity)
{
    std::vector<quintptr> old(capacity, 0);
    old.swap(m_shown.cells);
    for (quintptr slot : old) {
        if (slot)
            m_shown.cells[findShown(shownBy(slot))] = slot;
    }
}

void RecordItemMap::growOther(std::size_t capacity)
{
    std::vector<OtherSlot> old(capacity);
    old.swap(m_other.cells);
    for (OtherSlot& slot : old) {
        if (!slot.record.isNull())
            m_other.cells[findOther(slot.record.handle())] = std::move(slot);
    }
}

QList<Record> RecordItemMap::records() const
{
    QList<Record> all;
    all.reserve(size());
    for (quintptr slot : m_shown.cells) {
        if (slot)
            all << itemOf(slot)->record();
    }
    for (const OtherSlot& slot : m_other.cells) {
        if (!slot.record.isNull())
            all << slot.record;
    }
    return all;
}
