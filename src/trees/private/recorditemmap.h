#pragma once

#include "basic_views_export.h"
#include "core/db/record.h"

#include <QList>

#include <vector>

class GroupmentTreeItem;

// Which tree item holds a record: an open-addressing table of (record, item) pairs, 16 bytes a slot and at most
// three quarters full, where a QHash node costs three times that. A slot's handle keeps its record alive while
// the record is in the map, as the items of plain groups hold none.
class BASIC_VIEWS_EXPORT RecordItemMap
{
public:
    int size() const { return m_size; }
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
    struct Slot
    {
        Record record;
        GroupmentTreeItem* item = nullptr;
    };
    std::size_t home(const RecordData* record) const;
    std::size_t find(const RecordData* record) const;
    void grow(std::size_t capacity);

    std::vector<Slot> m_slots; // a power of two in size, or empty
    int m_size = 0;
};
