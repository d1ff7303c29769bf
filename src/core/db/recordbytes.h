#pragma once

#include "core/db/record.h"

// Writes a row's raw storage (layout in RowLayout) directly, as a recorded stream gives it back: only a detached
// record or a transaction's staged copy, never a record in a table, and nobody is told.
namespace RecordBytes {

// Overwrites `size` bytes from `offset` on; does nothing when they fall outside the row.
BV_DB_EXPORT void write(const Record& record, int offset, const uchar* bytes, int size);

} // namespace RecordBytes
