#pragma once

#include "basic_views_export.h"
#include "core/db/record.h"

#include <QList>

#include <vector>

class GroupmentTreeItem;

// Which tree item holds a record. Nearly every record is the one its leaf shows: such an entry is the item's
// address alone, found again through the item's record, in an open-addressing table at most three quarters full
// and not rounded up to a power of two (about 12 bytes a record, where a QHash node costs 48). The records their
// item does not show (the further records of a shared leaf, records under plain groups) sit in a second table of
// (record, item) pairs, 16 bytes a slot, whose handles keep them alive.
//
// An item entered by its shown record must keep showing it until it is taken out.
class BASIC_VIEWS_EXPORT RecordItemMap
{
public:
    int size() const { return m_shown.size + m_other.size; }
    GroupmentTreeItem* value(const Record& record) const;
    bool contains(const Record& record) const { return value(record) != nullptr; }
    // The record must not be in the map yet.
    void insert(const Record& record, GroupmentTreeItem* item);
    // Takes the record out; its item, or null when it was not in.
    GroupmentTreeItem* take(const Record& record);
    void clear();
    void reserve(int count);
    // Every record of the map.
    QList<Record> records() const;

private:
    // Slots hold an item's address with three bits of its record's hash in the low bits (items are aligned), so
    // that a probe reads an item only when those bits agree.
    struct ShownTable
    {
        std::vector<quintptr> cells; // empty or at least 16
        int size = 0;
    };
    struct OtherSlot
    {
        Record record;
        GroupmentTreeItem* item = nullptr;
    };
    struct OtherTable
    {
        std::vector<OtherSlot> cells; // empty or at least 16
        int size = 0;
    };

    static quint64 mix(const RecordData* record);
    static std::size_t home(quint64 hash, std::size_t capacity);
    static const RecordData* shownBy(quintptr slot);
    std::size_t findShown(const RecordData* record) const;
    std::size_t findOther(const RecordData* record) const;
    void growShown(std::size_t capacity);
    void growOther(std::size_t capacity);
    static std::size_t capacityFor(std::size_t count);

    ShownTable m_shown;
    OtherTable m_other;
};
