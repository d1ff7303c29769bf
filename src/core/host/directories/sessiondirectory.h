#pragma once

#include "core/host/directories/tabledirectory.h"

#include <QHash>

// Trading sessions of the "sessions" table; the active session of a market is the one in trading state.
class BV_HOST_EXPORT SessionDirectory : public TableDirectory, public DirectoryInstance<SessionDirectory>
{
    Q_OBJECT
public:
    SessionDirectory();

    QString nameById(int stock, int sess) const;
    bool isActiveSessId(int stock, int sess) const;
    // The largest session id of the market, -1 when it has none.
    int getMaxSessId(int stock) const { return m_maxSess.value(stock, -1); }
    // Sessions of the market in trading state.
    QList<int> activeSessIds(int stock) const;

protected:
    void reload(const Table* table) override;

private:
    struct Info
    {
        QString name;
        bool active = false;
    };
    static quint64 key(int stock, int sess) { return (quint64(quint32(stock)) << 32) | quint32(sess); }

    QHash<quint64, Info> m_sessions;
    QHash<int, int> m_maxSess;
};
