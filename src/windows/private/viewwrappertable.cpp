#include "windows/private/viewwrappertable.h"

#include "columns/itemroles.h"
#include "views/qtablefastview.h"

#include <QHeaderView>
#include <QTableView>

namespace {

bool isInternal(const QAbstractItemModel* model, int column)
{
    return model->headerData(column, Qt::Horizontal, ColumnHiddenRole).toBool();
}

} // namespace

ViewWrapperTable::ViewWrapperTable(IView* view, QAbstractItemView* itemView)
    : ViewWrapper(view, itemView)
{
    if (auto* fast = qobject_cast<QTableFastView*>(itemView))
        setHeader(fast->header());
    else if (auto* table = qobject_cast<QTableView*>(itemView))
        setHeader(table->horizontalHeader());
}

QList<int> ViewWrapperTable::columnsAllTable(const QAbstractItemModel* model)
{
    QList<int> columns;
    for (int column = 0; model && column < model->columnCount(); ++column)
        columns << column;
    return columns;
}

QList<int> ViewWrapperTable::columnsVisibleTable(const QAbstractItemModel* model, const QHeaderView* header)
{
    QList<int> columns;
    if (!model || !header)
        return columns;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (column < model->columnCount() && !header->isSectionHidden(column) && !isInternal(model, column))
            columns << column;
    }
    return columns;
}

QList<int> ViewWrapperTable::columnsAll(const QAbstractItemModel* model) const
{
    return columnsAllTable(model);
}

QList<int> ViewWrapperTable::columnsVisible(const QAbstractItemModel* model, const QHeaderView* header) const
{
    return columnsVisibleTable(model, header);
}
