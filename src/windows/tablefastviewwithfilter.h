#pragma once

#include "windows/tablefastview.h"

#include <QScopedPointer>

class Filter;
class FiltersHeaderView;
class RowFiltersModel;
class TableFastViewWithFilterPrivate;

// The table window with filters: its header shows the filtered columns in bold, and the header's and the cells'
// menus offer the filters of the column under the pointer (check lists of an enumeration's values, "only this
// value", the filter's own selection, switching a filter off, and switching all of them off). The filters are
// stored and restored with the view.
class BASIC_VIEWS_EXPORT TableFastViewWithFilter : public TableFastView
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, TableFastViewWithFilter)
public:
    // Dynamic properties of the filter actions.
    static const char* const FilterIdProperty; // "FILTER_ID": the filter's row in the set, -1 when not in it
    static const char* const FilterEnableProperty; // "FILTER_ENABLE": 0 or 1
    static const char* const FilterValueProperty; // "FILTER_VALUE": a key in its value form

    explicit TableFastViewWithFilter(QWidget* parent = nullptr);
    ~TableFastViewWithFilter() override;

    // Over a filtered model the header follows its filters.
    void setModel(QAbstractItemModel* model) override;
    RowFiltersModel* filtersModel() const;
    FiltersHeaderView* filtersHeader() const;

    void populateActionsForColumn(int column, QMenu* menu) override;
    void populateActionsForIndex(const QModelIndex& index, QMenu* menu) override;

    void store(Settings& settings) const override;
    // The filters are read with the column layout, before the model rebuilds.
    void restorePre(const Settings& values) override;

public Q_SLOTS:
    void filterSetEnabled();
    void filterSelectEnabled();
    void filterEnumSetValue();
    void filterEnumAll();
    void filterSetValue();
    void toggleValue(bool checked);
    void filterDisableAll();
    void scrollToColumn(int column);

private:
    // The filter of the sending action and its row; null when it is gone.
    Filter* senderFilter(int* row) const;
    QAction* addFilterAction(QMenu* menu, const QString& text, Filter* filter, void (TableFastViewWithFilter::*slot)());
    QString elidedText(const Filter* filter, const QMenu* menu) const;
    // "Снять все фильтры" when a filter of the column is on, and a separator when the menu gained filter actions.
    void finishFilterActions(int column, QMenu* menu, int countBefore);

    QScopedPointer<TableFastViewWithFilterPrivate> m_d;
};
