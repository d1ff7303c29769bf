#include "views/filtering/filtersheaderview.h"
#include "columns/itemmodelwithdelegates.h"

#include "core/host/filters/filter.h"
#include "filters/rowfiltersmodel.h"
#include "views/filtering/private/filtersheaderview_p.h"

FiltersHeaderView::FiltersHeaderView(QWidget* parent)
    : FiltersHeaderView(*new FiltersHeaderViewPrivate, parent)
{ }

FiltersHeaderView::FiltersHeaderView(FiltersHeaderViewPrivate& dd, QWidget* parent)
    : HeaderView(dd, Qt::Horizontal, parent)
{
    setSortIndicatorShown(true);
    setSectionsClickable(true);
    setSectionsMovable(true);
}

RowFiltersModel* FiltersHeaderView::filters() const
{
    Q_D(const FiltersHeaderView);
    return d->filters;
}

void FiltersHeaderView::setFilters(RowFiltersModel* filters)
{
    Q_D(FiltersHeaderView);
    if (d->filters == filters)
        return;
    if (d->filters)
        disconnect(d->filters, nullptr, this, nullptr);
    d->filters = filters;
    if (d->filters)
        connect(d->filters, &QAbstractItemModel::dataChanged, this, &FiltersHeaderView::onFiltersDataChanged);
}

void FiltersHeaderView::onFiltersDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight)
{
    Q_D(FiltersHeaderView);
    for (int row = topLeft.row(); row <= bottomRight.row() && row < d->filters->rowCount(); ++row) {
        const int column = d->filters->viewColumn(d->filters->at(row));
        if (column >= 0 && column < count())
            updateSection(column);
    }
}
