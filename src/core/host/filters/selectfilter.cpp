#include "core/host/filters/selectfilter.h"

SelectFilter::SelectFilter(Table& table, int column, const QList<int>& keyColumns, int modelColumn, QObject* parent)
    : ValueFilter(table, column, keyColumns, modelColumn, parent)
{ }
