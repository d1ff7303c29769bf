#pragma once

#include "core/host/directories/tabledirectory.h"

#include <QStringList>

// The trading accounts the terminal knows: the client accounts (7 characters) holding positions and the
// brokerage firms (4 characters) they belong to.
class BV_HOST_EXPORT AccountDirectory : public TableDirectory, public DirectoryInstance<AccountDirectory>
{
    Q_OBJECT
public:
    enum { FirmCodeLength = 4, ClientCodeLength = 7 };

    AccountDirectory();

    // Sorted.
    QStringList clients() const { return m_clients; }
    QStringList firms() const { return m_firms; }
    bool isKnown(const QString& code) const;

protected:
    void reload(const Table* table) override;
    // The feed adds positions on most batches: new accounts are inserted in place.
    Growth grow(const QList<Record>& added) override;

private:
    // Whether the position's account was new.
    bool learn(const Record& position);

    QStringList m_clients;
    QStringList m_firms;
    int m_accountColumn = -1;
};
