#include "core/host/directories/volatdirectory.h"

#include "core/db/masterindex.h"

VolatDirectory::VolatDirectory()
    : TableDirectory(QStringLiteral("volat"))
{ }

void VolatDirectory::reload(const Table* table)
{
    m_volat.clear();
    if (!table)
        return;
    const int stockC = table->columnIndex(QStringLiteral("stock_id"));
    const int boardC = table->columnIndex(QStringLiteral("board_id"));
    const int secC = table->columnIndex(QStringLiteral("sec_id"));
    const int volatC = table->columnIndex(QStringLiteral("volat"));
    for (const Record& r : *table->masterIndex()) {
        m_volat.insert(
            SecurityKey { r.data(stockC).toInteger(), r.data(boardC).toInteger(), r.data(secC).toInteger64() },
            r.data(volatC).toDecimal());
    }
}

decimal VolatDirectory::volatById(int stock, int board, qint64 sec) const
{
    return m_volat.value(SecurityKey { stock, board, sec }, decimal::minimum());
}
