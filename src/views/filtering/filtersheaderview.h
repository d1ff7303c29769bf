#pragma once

#include "views/headerview.h"

class FiltersHeaderViewPrivate;
class RowFiltersModel;

// The header of a filtered table: sortable, movable sections whose titles turn bold at once while a filter on
// their column is on (the filtered model supplies the bold font; this header repaints the section).
class BASIC_VIEWS_EXPORT FiltersHeaderView : public HeaderView
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, FiltersHeaderView)
public:
    explicit FiltersHeaderView(QWidget* parent = nullptr);

    // Not owned.
    void setFilters(RowFiltersModel* filters);
    RowFiltersModel* filters() const;

private Q_SLOTS:
    void onFiltersDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);

protected:
    FiltersHeaderView(FiltersHeaderViewPrivate& dd, QWidget* parent);
};
