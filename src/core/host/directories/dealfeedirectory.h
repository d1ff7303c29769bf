#pragma once

#include "core/host/directories/tabledirectory.h"

#include <QHash>

// Fees of deals by deal number, from a table (deal_num, fee_buy, fee_sell).
class BV_HOST_EXPORT DealFeeDirectory : public TableDirectory
{
    Q_OBJECT
public:
    // Null when the deal has no fee record.
    Record recordByDealId(qint64 dealId) const { return m_byDeal.value(dealId); }
    // The two fee fields of a record: the buyer's, then the seller's.
    int buyFeeColumn() const { return m_buyColumn; }
    int sellFeeColumn() const { return m_sellColumn; }

protected:
    explicit DealFeeDirectory(const QString& tableName);
    void reload(const Table* table) override;

private:
    QHash<qint64, Record> m_byDeal;
    int m_buyColumn = -1;
    int m_sellColumn = -1;
};

// Exchange fees ("fee").
class BV_HOST_EXPORT FeeDirectory : public DealFeeDirectory, public DirectoryInstance<FeeDirectory>
{
    Q_OBJECT
public:
    FeeDirectory();
};

// Broker fees ("broker_fee").
class BV_HOST_EXPORT BrokerFeeDirectory : public DealFeeDirectory, public DirectoryInstance<BrokerFeeDirectory>
{
    Q_OBJECT
public:
    BrokerFeeDirectory();
};
