#include "core/host/directories/kvuserdirectory.h"

#include "core/db/masterindex.h"

KvUserDirectory::KvUserDirectory()
    : TableDirectory(QStringLiteral("kv.user"), { QStringLiteral("login"), QStringLiteral("aspref") })
{ }

void KvUserDirectory::reload(const Table* table)
{
    m_loginByAspref.clear();
    m_asprefByLogin.clear();
    if (!table)
        return;
    const int loginC = table->columnIndex(QStringLiteral("login"));
    const int asprefC = table->columnIndex(QStringLiteral("aspref"));
    for (const Record& r : *table->masterIndex()) {
        const QString login = r.data(loginC).toString();
        const int aspref = r.data(asprefC).toInteger();
        m_loginByAspref.insert(aspref, login);
        m_asprefByLogin.insert(login, aspref);
    }
}

QStringList KvUserDirectory::getUserList() const
{
    QStringList logins = m_asprefByLogin.keys();
    logins.sort();
    return logins;
}
