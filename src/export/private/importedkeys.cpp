#include "export/private/importedkeys.h"

#include "core/db/masterindex.h"

namespace {

constexpr int FirstSlotsLog2 = 10;

} // namespace

ImportedKeys::Earlier ImportedKeys::add(const MasterIndex& master, const Record& record, bool partial)
{
    if (m_slots.isEmpty()) {
        m_slots.fill(-1, 1 << FirstSlotsLog2);
        m_shift = 32 - FirstSlotsLog2;
    }
    const uint hash = master.keyHash(record);
    const int mask = m_slots.size() - 1;
    int* const table = m_slots.data();
    for (int s = home(hash);; s = (s + 1) & mask) {
        int& slot = table[s];
        if (slot < 0) {
            slot = int(m_rows.size());
            m_rows.push_back({ record, hash, partial });
            if (int(m_rows.size()) * 2 > m_slots.size())
                grow();
            return None;
        }
        Entry& entry = m_rows[size_t(slot)];
        if (entry.hash == hash && master.compareKeys(entry.record, record) == 0) {
            const Earlier earlier = entry.partial ? Partial : Full;
            entry.record = record;
            entry.partial = partial;
            return earlier;
        }
    }
}

void ImportedKeys::grow()
{
    m_slots.fill(-1, m_slots.size() * 2);
    --m_shift;
    const int mask = m_slots.size() - 1;
    int* const table = m_slots.data();
    for (int i = 0; i < int(m_rows.size()); ++i) {
        int s = home(m_rows[size_t(i)].hash);
        while (table[s] >= 0)
            s = (s + 1) & mask;
        table[s] = i;
    }
}

void ImportedKeys::clear()
{
    m_rows = std::vector<Entry>();
    m_slots = QVector<int>();
}
