#pragma once

#include "core/host/directories/tabledirectory.h"

#include <QHash>

// Margin settings of settlement accounts ("kv.fut_margin_type") as texts.
class BV_HOST_EXPORT KvFutMarginTypeDirectory : public TableDirectory,
                                                public DirectoryInstance<KvFutMarginTypeDirectory>
{
    Q_OBJECT
public:
    KvFutMarginTypeDirectory();

    QString marginTypeByCode(const QString& code) const;
    QString SATypeByCode(const QString& code) const;
    QString UCPTypeByCode(const QString& code) const;
    QString operatorInputByCode(const QString& code) const;

protected:
    void reload(const Table* table) override;

private:
    struct Info
    {
        int marginType = -1;
        int saType = -1;
        int ucpType = -1;
        int operatorInput = -1;
    };
    QHash<QString, Info> m_entries;
};
