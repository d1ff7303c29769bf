#include "core/host/directories/sessiondirectory.h"

#include "core/db/masterindex.h"
#include "core/host/schema/hostschema.h"

SessionDirectory::SessionDirectory()
    : TableDirectory(QStringLiteral("sessions"))
{ }

void SessionDirectory::reload(const Table* table)
{
    m_sessions.clear();
    m_maxSess.clear();
    if (!table)
        return;
    const int stockC = table->columnIndex(QStringLiteral("stock_id"));
    const int sessC = table->columnIndex(QStringLiteral("sess_id"));
    const int nameC = table->columnIndex(QStringLiteral("sess_name"));
    const int stateC = table->columnIndex(QStringLiteral("state"));
    for (const Record& r : *table->masterIndex()) {
        const int stock = r.data(stockC).toInteger();
        const int sess = r.data(sessC).toInteger();
        m_sessions.insert(key(stock, sess),
            Info { r.data(nameC).toString(), r.data(stateC).toInteger() == HostSchema::SessionTrading });
        m_maxSess[stock] = qMax(m_maxSess.value(stock, -1), sess);
    }
}

QString SessionDirectory::nameById(int stock, int sess) const
{
    const auto it = m_sessions.constFind(key(stock, sess)); // only the name is copied
    return it == m_sessions.constEnd() ? QString() : it->name;
}

bool SessionDirectory::isActiveSessId(int stock, int sess) const
{
    return m_sessions.value(key(stock, sess)).active;
}

QList<int> SessionDirectory::activeSessIds(int stock) const
{
    QList<int> ids;
    for (auto it = m_sessions.constBegin(); it != m_sessions.constEnd(); ++it) {
        if (it.value().active && int(it.key() >> 32) == stock)
            ids << int(quint32(it.key()));
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}
