#pragma once

#include "basic_views_export.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QScopedPointer>

class RowFiltersModelPrivate;

class Filter;
class FilterFunc;
class ItemModelWithDelegates;
class Settings;

// The row filters of one model: the set (the model does not own its filters), a two-column editable table of
// them (column name, value) for the settings page and the filter header, their persistence under "filters",
// and the factory of the one predicate that combines the enabled ones.
//
// Each change is announced by exactly one of filterEnabled(), filterChanged() or filterAsincChanged(), and
// several changed together by one filtersChanged(); the filtered model rebuilds on each. A filter that is removed, or
// destroyed while in the set, leaves it at once; that rebuilds nothing (the model's compiled predicate holds nothing of
// the filter), the next rebuild goes without it. Closing a window may therefore destroy its filters and its models in
// any order.
class BASIC_VIEWS_EXPORT RowFiltersModel : public QAbstractTableModel
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, RowFiltersModel)
public:
    // `model` is the filtered model (a FilterIndexModel); its header names the filters' columns.
    explicit RowFiltersModel(ItemModelWithDelegates* model, QObject* parent = nullptr);
    ~RowFiltersModel() override;

    ItemModelWithDelegates* model() const;
    QList<Filter*> filters() const;
    Filter* at(int row) const;
    int indexOf(Filter* filter) const;
    int addFilter(Filter* filter);
    void removeFilter(Filter* filter);

    bool isFilterEnabled(int row) const;
    // A filter's column in the view: its model column when it has one, else the model's column that shows its
    // table field (the one named after the field when several do); -1 when none shows it.
    int viewColumn(const Filter* filter) const;
    bool isFilterEnabledForColumn(int column) const;
    QList<Filter*> filtersForColumn(int column) const;

    QString filterValue(int row) const;
    bool setFilterValue(int row, const QString& value);
    bool setFilterEnabled(int row, bool enable);
    // Emits one of filterEnabled() (the enabled flag changed) or filterChanged() (only the value); nothing when
    // nothing changed. A filter without a value stays disabled. Always returns false.
    bool setFilterValueAndEnabled(int row, const QString& value, bool enable);
    void notifyFilterChanged(int row, bool enabled);
    // The filters of `rows`, holding their new values and flags, changed together (all cleared, a filter bar's
    // editors): the filtered model hears it once, by filtersChanged() (as notifyFilterChanged() for one row).
    void notifyFiltersChanged(const QList<int>& rows);
    // Pairs widgets and filters by position, inside one model reset.
    void apply(const QList<QWidget*>& widgets);

    // Reads every filter with a table column, inside one model reset and without filter signals.
    void read(const Settings& settings);
    void write(Settings& settings) const;
    // The key a filter is persisted under; empty when it cannot be persisted.
    QString settingsKey(const Filter* filter) const;

    // None enabled: a NoFilterFunc; one: its own predicate; more: a ListFilterFunc of theirs, in set order.
    // The caller owns the result.
    virtual FilterFunc* createFilterFunc();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

Q_SIGNALS:
    void filterEnabled(int row, bool enabled);
    void filterChanged(int row);
    void filterAsincChanged(int row);
    void filtersChanged();

public Q_SLOTS:
    void filterAsinc();

private:
    void onFilterDestroyed(QObject* object);
    void dropRow(int row);

    QScopedPointer<RowFiltersModelPrivate> m_d;
};
