#include "core/host/directories/stockdirectory.h"

#include "core/db/masterindex.h"

StockDirectory::StockDirectory()
    : TableDirectory(QStringLiteral("stocks"), { QStringLiteral("stock_code"), QStringLiteral("stock_name") })
{ }

void StockDirectory::reload(const Table* table)
{
    m_stocks.clear();
    if (!table)
        return;
    const int idC = table->columnIndex(QStringLiteral("stock_id"));
    const int nameC = table->columnIndex(QStringLiteral("stock_name"));
    const int codeC = table->columnIndex(QStringLiteral("stock_code"));
    for (const Record& r : *table->masterIndex())
        m_stocks.insert(r.data(idC).toInteger(), qMakePair(r.data(nameC).toString(), r.data(codeC).toString()));
}

QString StockDirectory::nameById(int stock) const
{
    const auto it = m_stocks.constFind(stock); // only the name is copied
    return it == m_stocks.constEnd() ? QString() : it->first;
}

QString StockDirectory::codeById(int stock) const
{
    return m_stocks.value(stock).second;
}

QString StockDirectory::nameByIdAs(int stock) const
{
    const auto names = m_stocks.value(stock);
    return names.first.isEmpty() ? names.second : names.first;
}

QList<int> StockDirectory::ids() const
{
    QList<int> ids = m_stocks.keys();
    std::sort(ids.begin(), ids.end());
    return ids;
}
