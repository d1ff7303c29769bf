#pragma once

#include "core/host/securitykey.h"

class QObject;
class Table;
class TableIndexModel;

// A live model of the rows of a table (instruments, orders, deals) that belong to some instruments, through the
// catalogue's instrument filter, sorted by `sortColumn` ascending and built.
TableIndexModel* instrumentRows(
    Table* table, const QList<SecurityKey>& keys, const QString& sortColumn, QObject* parent);
