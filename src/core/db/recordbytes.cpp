#include "core/db/recordbytes.h"

#include "core/db/private/recorddata_p.h"

namespace RecordBytes {

void write(const Record& record, int offset, const uchar* bytes, int size)
{
    Q_ASSERT(!record.inTable());
    if (!record.table() || record.inTable() || offset < 0 || size < 0 || offset + size > record.rawSize())
        return;
    std::memcpy(record.handle()->raw() + offset, bytes, std::size_t(size));
}

} // namespace RecordBytes
