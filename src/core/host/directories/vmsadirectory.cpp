#include "core/host/directories/vmsadirectory.h"

#include "core/db/masterindex.h"

VMSADirectory::VMSADirectory(const QString& tableName)
    : TableDirectory(tableName)
{ }

void VMSADirectory::reload(const Table* table)
{
    m_vm.clear();
    if (!table)
        return;
    const int accountC = table->columnIndex(QStringLiteral("settlement_account"));
    const int vmC = table->columnIndex(QStringLiteral("vm"));
    for (const Record& r : *table->masterIndex())
        m_vm.insert(r.data(accountC).toString(), r.data(vmC).toXDecimal());
}

xdecimal VMSADirectory::getVMbySettlementAccount(const QString& account) const
{
    const auto it = m_vm.constFind(account);
    return it == m_vm.constEnd() || it->isEmpty() ? xdecimal::zero() : *it;
}

FutVMSADirectory::FutVMSADirectory()
    : VMSADirectory(QStringLiteral("fut_vm_sa"))
{ }

OptVMSADirectory::OptVMSADirectory()
    : VMSADirectory(QStringLiteral("opt_vm_sa"))
{ }
