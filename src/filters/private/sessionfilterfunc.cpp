#include "filters/private/sessionfilterfunc.h"

#include "core/host/directories/sessiondirectory.h"

SessionFilterFunc::SessionFilterFunc(int stockColumn, int sessionColumn, int mode, QObject* parent)
    : FilterFunc(parent)
    , m_stock(stockColumn)
    , m_session(sessionColumn)
    , m_mode(mode)
    , m_sessions(SessionDirectory::i())
{ }

bool SessionFilterFunc::filter(const Record& record) const
{
    const bool active
        = m_sessions->isActiveSessId(record.data(m_stock).toInteger(), record.data(m_session).toInteger());
    return m_mode & (active ? Active : Inactive);
}

QString SessionFilterFunc::toString() const
{
    return QStringLiteral("SessionFilterFunc[%1]").arg(m_mode);
}
