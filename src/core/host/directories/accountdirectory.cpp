#include "core/host/directories/accountdirectory.h"

#include "core/db/masterindex.h"

#include <algorithm>

namespace {
bool insertSorted(QStringList& list, const QString& code)
{
    const auto at = std::lower_bound(list.begin(), list.end(), code);
    if (at != list.end() && *at == code)
        return false;
    list.insert(at, code);
    return true;
}
} // namespace

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
    m_accountColumn = table ? table->columnIndex(QStringLiteral("account")) : -1;
    if (m_accountColumn < 0)
        return;
    for (const Record& r : *table->masterIndex())
        learn(r);
}

TableDirectory::Growth AccountDirectory::grow(const QList<Record>& added)
{
    bool grown = false;
    for (const Record& r : added)
        grown = learn(r) || grown;
    return grown ? Growth::Grown : Growth::Unchanged;
}

bool AccountDirectory::learn(const Record& position)
{
    if (m_accountColumn < 0)
        return false;
    const QString account = position.data(m_accountColumn).toString().trimmed();
    if (account.size() == ClientCodeLength) {
        const bool client = insertSorted(m_clients, account);
        return insertSorted(m_firms, account.left(FirmCodeLength)) || client;
    }
    return account.size() == FirmCodeLength && insertSorted(m_firms, account);
}
