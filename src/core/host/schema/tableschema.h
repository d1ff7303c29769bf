#pragma once

#include "core/db/columndef.h"
#include "core/host/bv_host_export.h"

#include <QStringList>

class QObject;
class Table;

// The definition of one of the terminal's tables: its name, columns and key.
struct BV_HOST_EXPORT TableSchema
{
    QString name;
    QList<ColumnDef> columns;
    QStringList keys;

    Table* create(QObject* parent = nullptr) const;
};
