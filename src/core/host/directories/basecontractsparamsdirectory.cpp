#include "core/host/directories/basecontractsparamsdirectory.h"

#include "core/db/masterindex.h"

BaseContractsParamsDirectory::BaseContractsParamsDirectory()
    : TableDirectory(QStringLiteral("base_contracts"))
{ }

void BaseContractsParamsDirectory::reload(const Table* table)
{
    m_byCode.clear();
    if (!table)
        return;
    const int codeC = table->columnIndex(QStringLiteral("base_code"));
    for (const Record& r : *table->masterIndex())
        m_byCode.insert(r.data(codeC).toString(), r);
}
