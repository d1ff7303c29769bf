#include "views/headersettings/tableheadervisiblemodel.h"

#include "views/headersettings/tableheadermodel.h"

TableHeaderVisibleModel::TableHeaderVisibleModel(TableHeaderModel* source, QObject* parent)
    : QSortFilterProxyModel(parent)
{
    setDynamicSortFilter(true);
    setSourceModel(source);
}

QVariant TableHeaderVisibleModel::data(const QModelIndex& index, int role) const
{
    return role == Qt::CheckStateRole ? QVariant() : QSortFilterProxyModel::data(index, role);
}

bool TableHeaderVisibleModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    return sourceModel()->index(sourceRow, 0, sourceParent).data(Qt::CheckStateRole).toInt() == Qt::Checked;
}
