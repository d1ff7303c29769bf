#pragma once

#include "core/db/decimal.h"
#include "core/host/directories/tabledirectory.h"
#include "core/host/securitykey.h"

#include <QHash>

// Option volatilities ("volat"); dataChanged() when they are recalculated.
class BV_HOST_EXPORT VolatDirectory : public TableDirectory, public DirectoryInstance<VolatDirectory>
{
    Q_OBJECT
public:
    VolatDirectory();

    // The empty decimal for an instrument without volatility.
    decimal volatById(int stock, int board, qint64 sec) const;

protected:
    void reload(const Table* table) override;

private:
    QHash<SecurityKey, decimal> m_volat;
};
