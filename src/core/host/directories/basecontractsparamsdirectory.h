#pragma once

#include "core/host/directories/tabledirectory.h"

#include <QHash>

// Parameters of underlying contracts ("base_contracts") by their code.
class BV_HOST_EXPORT BaseContractsParamsDirectory : public TableDirectory,
                                                    public DirectoryInstance<BaseContractsParamsDirectory>
{
    Q_OBJECT
public:
    BaseContractsParamsDirectory();

    // Null for an unknown code.
    Record recordByBaseContractCode(const QString& code) const { return m_byCode.value(code); }

protected:
    void reload(const Table* table) override;

private:
    QHash<QString, Record> m_byCode;
};
