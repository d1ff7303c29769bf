#include "instrumentrows.h"

#include "core/db/table.h"
#include "filters/catalogue/keyfilters.h"
#include "filters/rowfiltersmodel.h"
#include "models/tableindexmodel.h"

TableIndexModel* instrumentRows(
    Table* table, const QList<SecurityKey>& keys, const QString& sortColumn, QObject* parent)
{
    auto* model = new TableIndexModel(table, parent);
    QStringList textIds;
    for (const SecurityKey& key : keys)
        textIds << key.textId();
    RowFiltersModel* filters = model->filtersModel();
    const int row = filters->addFilter(new SecurityFilter(*table, "sec_id", -1, model));
    filters->setFilterValueAndEnabled(row, textIds.join(QLatin1Char('|')), true);
    model->setSort(table->columnIndex(sortColumn), Qt::AscendingOrder);
    model->rebuild();
    return model;
}
