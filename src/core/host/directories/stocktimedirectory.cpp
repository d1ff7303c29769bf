#include "core/host/directories/stocktimedirectory.h"

#include "core/db/masterindex.h"

StockTimeDirectory::StockTimeDirectory()
    : TableDirectory(QStringLiteral("stocks"), { QStringLiteral("time_offset_ms") })
{ }

void StockTimeDirectory::reload(const Table* table)
{
    m_offsets.clear();
    if (!table)
        return;
    const int idC = table->columnIndex(QStringLiteral("stock_id"));
    const int offsetC = table->columnIndex(QStringLiteral("time_offset_ms"));
    for (const Record& r : *table->masterIndex())
        m_offsets.insert(r.data(idC).toInteger(), r.data(offsetC).toInteger64());
}

QDateTime StockTimeDirectory::correctedLocalTime(int stock) const
{
    return QDateTime::currentDateTime().addMSecs(m_offsets.value(stock));
}
