#pragma once

#include "core/host/directories/tabledirectory.h"

#include <QHash>

// Markets of the "stocks" table.
class BV_HOST_EXPORT StockDirectory : public TableDirectory, public DirectoryInstance<StockDirectory>
{
    Q_OBJECT
public:
    StockDirectory();

    QString nameById(int stock) const;
    QString codeById(int stock) const;
    // The name the market is sorted by: its name, or its code when it has none.
    QString nameByIdAs(int stock) const;
    QList<int> ids() const;

protected:
    void reload(const Table* table) override;

private:
    QHash<int, QPair<QString, QString>> m_stocks; // name, code
};
