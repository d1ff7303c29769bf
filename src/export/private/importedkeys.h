#pragma once

#include "core/db/record.h"

#include <QVector>

#include <vector>

class MasterIndex;

// The rows of one import run by key, to find the earlier row of the run that a later one with the same key
// replaces. Open addressing over the rows' key hashes: a million rows cost no allocation each, and dropping
// them all is two vector frees.
class ImportedKeys
{
public:
    enum Earlier { None, Full, Partial };

    // Records a row of the run; when an earlier row had the same key, it is replaced and its kind returned.
    Earlier add(const MasterIndex& master, const Record& record, bool partial);
    void clear();

private:
    struct Entry
    {
        Record record; // kept alive across the run's event pauses, whatever gets deleted there
        uint hash;
        bool partial;
    };

    int home(uint hash) const { return int((hash * 0x9E3779B9u) >> m_shift); }
    void grow();

    std::vector<Entry> m_rows;
    QVector<int> m_slots; // index into m_rows, -1 when free; at most half are used
    int m_shift = 0;
};
