#pragma once

#include "core/host/directories/tabledirectory.h"

#include <QHash>

// A table of codes with names and statuses (code, name, status).
class BV_HOST_EXPORT KvCodeNameDirectory : public TableDirectory
{
    Q_OBJECT
public:
    QString nameByCode(const QString& code) const { return m_entries.value(code).first; }
    // -1 for an unknown code.
    int statusByCode(const QString& code) const { return m_entries.value(code, qMakePair(QString(), -1)).second; }
    QStringList codes() const;

protected:
    explicit KvCodeNameDirectory(const QString& tableName);
    void reload(const Table* table) override;

private:
    QHash<QString, QPair<QString, int>> m_entries;
};

// Clients' trading accounts ("kv.investor").
class BV_HOST_EXPORT KvInvestorDirectory : public KvCodeNameDirectory, public DirectoryInstance<KvInvestorDirectory>
{
    Q_OBJECT
public:
    KvInvestorDirectory();
};

// Dealers ("kv.dealer").
class BV_HOST_EXPORT KvDealerDirectory : public KvCodeNameDirectory, public DirectoryInstance<KvDealerDirectory>
{
    Q_OBJECT
public:
    KvDealerDirectory();
};

// Settlement firms ("kv.rf").
class BV_HOST_EXPORT KvRFDirectory : public KvCodeNameDirectory, public DirectoryInstance<KvRFDirectory>
{
    Q_OBJECT
public:
    KvRFDirectory();
};
