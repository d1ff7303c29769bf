#include "core/host/directories/optionseriesparamdirectory.h"

#include "core/db/masterindex.h"

OptionSeriesParamDirectory::OptionSeriesParamDirectory()
    : TableDirectory(QStringLiteral("option_series"))
{ }

void OptionSeriesParamDirectory::reload(const Table* table)
{
    m_bySeries.clear();
    m_byDate.clear();
    if (!table)
        return;
    const int idC = table->columnIndex(QStringLiteral("option_series_id"));
    const int baseC = table->columnIndex(QStringLiteral("base_code"));
    const int expC = table->columnIndex(QStringLiteral("expdate"));
    const int calcC = table->columnIndex(QStringLiteral("option_calc"));
    const int boardC = table->columnIndex(QStringLiteral("main_board_id"));
    const int secC = table->columnIndex(QStringLiteral("main_sec_id"));
    const int nameC = table->columnIndex(QStringLiteral("name"));
    for (const Record& r : *table->masterIndex()) {
        const OptionSeriesParam p { r.data(idC).toInteger(), r.data(baseC).toString(), r.data(expC).toQDate(),
            r.data(calcC).toInteger(), r.data(boardC).toInteger(), r.data(secC).toInteger64(),
            r.data(nameC).toString() };
        m_bySeries.insert(p.seriesId, p);
        m_byDate[p.expDate] << p; // key order: ascending series ids
    }
}
