#include "core/host/directories/dealfeedirectory.h"

#include "core/db/masterindex.h"

DealFeeDirectory::DealFeeDirectory(const QString& tableName)
    : TableDirectory(tableName)
{ }

void DealFeeDirectory::reload(const Table* table)
{
    m_byDeal.clear();
    m_buyColumn = table ? table->columnIndex(QStringLiteral("fee_buy")) : -1;
    m_sellColumn = table ? table->columnIndex(QStringLiteral("fee_sell")) : -1;
    if (!table)
        return;
    const int dealC = table->columnIndex(QStringLiteral("deal_num"));
    m_byDeal.reserve(table->count());
    for (const Record& r : *table->masterIndex())
        m_byDeal.insert(r.data(dealC).toInteger64(), r);
}

FeeDirectory::FeeDirectory()
    : DealFeeDirectory(QStringLiteral("fee"))
{ }

BrokerFeeDirectory::BrokerFeeDirectory()
    : DealFeeDirectory(QStringLiteral("broker_fee"))
{ }
