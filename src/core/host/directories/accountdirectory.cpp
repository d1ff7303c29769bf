#include "core/host/directories/accountdirectory.h"

#include "core/db/masterindex.h"

#include <QSet>

AccountDirectory::AccountDirectory()
    : TableDirectory(QStringLiteral("positions"), { QStringLiteral("account") })
{ }

bool AccountDirectory::isKnown(const QString& code) const
{
    const QStringList& list = code.size() == FirmCodeLength ? m_firms : m_clients;
    return std::binary_search(list.cbegin(), list.cend(), code);
}

void AccountDirectory::reload(const Table* table)
{
    m_clients.clear();
    m_firms.clear();
    if (!table)
        return;
    const int accountC = table->columnIndex(QStringLiteral("account"));
    QSet<QString> clients;
    QSet<QString> firms;
    for (const Record& r : *table->masterIndex()) {
        const QString account = r.data(accountC).toString().trimmed();
        if (account.size() == ClientCodeLength) {
            clients.insert(account);
            firms.insert(account.left(FirmCodeLength));
        } else if (account.size() == FirmCodeLength) {
            firms.insert(account);
        }
    }
    m_clients = clients.values();
    m_firms = firms.values();
    std::sort(m_clients.begin(), m_clients.end());
    std::sort(m_firms.begin(), m_firms.end());
}
