#include "core/host/directories/kvfutsettlementdirectory.h"

#include "core/db/masterindex.h"

namespace {
QString codeType(const QString& code, int type)
{
    return code + QLatin1Char('|') + QString::number(type);
}
} // namespace

KvFutSettlementDirectory::KvFutSettlementDirectory()
    : TableDirectory(QStringLiteral("kv.fut_settlement"))
{ }

void KvFutSettlementDirectory::reload(const Table* table)
{
    m_byCodeType.clear();
    m_accounts.clear();
    m_acceptable.clear();
    if (!table)
        return;
    const int codeC = table->columnIndex(QStringLiteral("code"));
    const int typeC = table->columnIndex(QStringLiteral("type"));
    const int accountC = table->columnIndex(QStringLiteral("settlement_account"));
    const int acceptableC = table->columnIndex(QStringLiteral("acceptable"));
    QSet<QString> accounts;
    for (const Record& r : *table->masterIndex()) {
        const QString account = r.data(accountC).toString();
        m_byCodeType.insert(codeType(r.data(codeC).toString(), r.data(typeC).toInteger()), account);
        accounts.insert(account);
        if (r.data(acceptableC).toInteger() != 0)
            m_acceptable.insert(account);
    }
    m_accounts = accounts.values();
    m_accounts.sort();
}

QString KvFutSettlementDirectory::settlementAccountByCodeByType(const QString& code, int type) const
{
    return m_byCodeType.value(codeType(code, type));
}
