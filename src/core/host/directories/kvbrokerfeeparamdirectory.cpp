#include "core/host/directories/kvbrokerfeeparamdirectory.h"

#include "core/db/masterindex.h"

KvBrokerFeeParamDirectory::KvBrokerFeeParamDirectory()
    : TableDirectory(QStringLiteral("kv.broker_fee_param"))
{ }

void KvBrokerFeeParamDirectory::reload(const Table* table)
{
    m_params.clear();
    if (!table)
        return;
    const int accountC = table->columnIndex(QStringLiteral("account"));
    // Key order puts an account's parameters by their sequence: the first in force, the second next.
    for (const Record& r : *table->masterIndex()) {
        BrokerFeeParams& p = m_params[r.data(accountC).toString()];
        if (p.current.isNull()) {
            p.current = r;
        } else if (!p.hasNext) {
            p.hasNext = true;
            p.next = r;
        }
    }
}
