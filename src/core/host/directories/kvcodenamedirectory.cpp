#include "core/host/directories/kvcodenamedirectory.h"

#include "core/db/masterindex.h"

KvCodeNameDirectory::KvCodeNameDirectory(const QString& tableName)
    : TableDirectory(tableName)
{ }

void KvCodeNameDirectory::reload(const Table* table)
{
    m_entries.clear();
    if (!table)
        return;
    const int codeC = table->columnIndex(QStringLiteral("code"));
    const int nameC = table->columnIndex(QStringLiteral("name"));
    const int statusC = table->columnIndex(QStringLiteral("status"));
    for (const Record& r : *table->masterIndex())
        m_entries.insert(r.data(codeC).toString(), qMakePair(r.data(nameC).toString(), r.data(statusC).toInteger()));
}

QStringList KvCodeNameDirectory::codes() const
{
    QStringList codes = m_entries.keys();
    codes.sort();
    return codes;
}

KvInvestorDirectory::KvInvestorDirectory()
    : KvCodeNameDirectory(QStringLiteral("kv.investor"))
{ }

KvDealerDirectory::KvDealerDirectory()
    : KvCodeNameDirectory(QStringLiteral("kv.dealer"))
{ }

KvRFDirectory::KvRFDirectory()
    : KvCodeNameDirectory(QStringLiteral("kv.rf"))
{ }
