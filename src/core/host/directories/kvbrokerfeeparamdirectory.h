#pragma once

#include "core/host/directories/tabledirectory.h"

#include <QHash>

// The broker fee parameters of an account: those in force and, when scheduled, the next ones.
struct BrokerFeeParams
{
    Record current;
    bool hasNext = false;
    Record next;
};

class BV_HOST_EXPORT KvBrokerFeeParamDirectory : public TableDirectory,
                                                 public DirectoryInstance<KvBrokerFeeParamDirectory>
{
    Q_OBJECT
public:
    KvBrokerFeeParamDirectory();

    // Null records for an account without parameters.
    BrokerFeeParams getFeeParamsByAccount(const QString& account) const { return m_params.value(account); }

protected:
    void reload(const Table* table) override;

private:
    QHash<QString, BrokerFeeParams> m_params;
};
