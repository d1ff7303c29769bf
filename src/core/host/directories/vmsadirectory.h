#pragma once

#include "core/db/xdecimal.h"
#include "core/host/directories/tabledirectory.h"

#include <QHash>

// Variation margin by settlement account, from a table (settlement_account, vm).
class BV_HOST_EXPORT VMSADirectory : public TableDirectory
{
    Q_OBJECT
public:
    // Zero for an account without variation margin.
    xdecimal getVMbySettlementAccount(const QString& account) const;

protected:
    explicit VMSADirectory(const QString& tableName);
    void reload(const Table* table) override;

private:
    QHash<QString, xdecimal> m_vm;
};

// Variation margin of futures ("fut_vm_sa").
class BV_HOST_EXPORT FutVMSADirectory : public VMSADirectory, public DirectoryInstance<FutVMSADirectory>
{
    Q_OBJECT
public:
    FutVMSADirectory();
};

// Variation margin of options ("opt_vm_sa").
class BV_HOST_EXPORT OptVMSADirectory : public VMSADirectory, public DirectoryInstance<OptVMSADirectory>
{
    Q_OBJECT
public:
    OptVMSADirectory();
};
