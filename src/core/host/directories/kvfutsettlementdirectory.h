#pragma once

#include "core/host/directories/tabledirectory.h"

#include <QHash>
#include <QSet>

// Settlement accounts of clients' codes by account type ("kv.fut_settlement").
class BV_HOST_EXPORT KvFutSettlementDirectory : public TableDirectory,
                                                public DirectoryInstance<KvFutSettlementDirectory>
{
    Q_OBJECT
public:
    KvFutSettlementDirectory();

    QString settlementAccountByCodeByType(const QString& code, int type) const;
    // Every settlement account, sorted.
    QStringList getSAList() const { return m_accounts; }
    bool isAcceptableSA(const QString& account) const { return m_acceptable.contains(account); }

protected:
    void reload(const Table* table) override;

private:
    QHash<QString, QString> m_byCodeType; // "code|type" -> account
    QStringList m_accounts;
    QSet<QString> m_acceptable;
};
