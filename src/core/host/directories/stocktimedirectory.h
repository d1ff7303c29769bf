#pragma once

#include "core/host/directories/tabledirectory.h"

#include <QDateTime>
#include <QHash>

// The exchange's clock per market: local time corrected by the market's offset ("stocks".time_offset_ms).
class BV_HOST_EXPORT StockTimeDirectory : public TableDirectory, public DirectoryInstance<StockTimeDirectory>
{
    Q_OBJECT
public:
    StockTimeDirectory();

    QDateTime correctedLocalTime(int stock) const;
    qint64 offsetMs(int stock) const { return m_offsets.value(stock); }

protected:
    void reload(const Table* table) override;

private:
    QHash<int, qint64> m_offsets;
};
