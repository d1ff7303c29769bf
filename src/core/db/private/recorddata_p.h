#pragma once

#include "core/db/record.h"

#include <QAtomicInteger>

#include <cstdlib>
#include <cstring>
#include <new>

class Table;

// The heap block behind a Record handle: a reference count, flags and the owning table, followed by the row's
// raw storage (layout in RowLayout). Values are plain bytes, so a row is freed without knowing its table.
struct RecordData
{
    enum Flag : quint32 {
        InTable = 1,
        Staged = 2, // held by an open RecordsTrans as an insert
        StagedUpdate = 4, // an in-table record staged for update or removal by an open RecordsTrans
    };

    QAtomicInt ref;
    quint32 flags;
    Table* table; // not owned

    uchar* raw() { return reinterpret_cast<uchar*>(this + 1); }
    const uchar* raw() const { return reinterpret_cast<const uchar*>(this + 1); }

    static RecordData* create(Table* table, int rowBytes)
    {
        void* block = std::calloc(1, sizeof(RecordData) + std::size_t(rowBytes));
        if (!block)
            throw std::bad_alloc();
        RecordData* d = new (block) RecordData { QAtomicInt(1), 0u, table };
        return d;
    }
    RecordData* clone(int rowBytes) const
    {
        RecordData* d = create(table, rowBytes);
        std::memcpy(d->raw(), raw(), std::size_t(rowBytes));
        return d;
    }
    static void release(RecordData* d)
    {
        if (d && !d->ref.deref()) {
            d->~RecordData();
            std::free(d);
        }
    }
};
static_assert(sizeof(RecordData) == 16, "row storage starts 8-aligned right after the header");
static_assert(sizeof(RecordData) == Record::HeaderBytes, "Record::rawData() skips exactly the header");
