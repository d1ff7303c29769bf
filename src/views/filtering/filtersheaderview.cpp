#include "views/filtering/filtersheaderview.h"
#include "columns/itemmodelwithdelegates.h"

#include "core/host/filters/filter.h"
#include "filters/rowfiltersmodel.h"

FiltersHeaderView::FiltersHeaderView(QWidget* parent)
    : HeaderView(Qt::Horizontal, parent)
{
    setSortIndicatorShown(true);
    setSectionsClickable(true);
    setSectionsMovable(true);
}

RowFiltersModel* FiltersHeaderView::filters() const
{
    return m_filters;
}

void FiltersHeaderView::setFilters(RowFiltersModel* filters)
{
    if (m_filters == filters)
        return;
    if (m_filters)
        disconnect(m_filters, nullptr, this, nullptr);
    m_filters = filters;
    if (m_filters)
        connect(m_filters, &QAbstractItemModel::dataChanged, this, &FiltersHeaderView::onFiltersDataChanged);
}

void FiltersHeaderView::onFiltersDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight)
{
    for (int row = topLeft.row(); row <= bottomRight.row() && row < m_filters->rowCount(); ++row) {
        const int column = m_filters->viewColumn(m_filters->at(row));
        if (column >= 0 && column < count())
            updateSection(column);
    }
}
