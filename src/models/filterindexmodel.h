#pragma once

#include "models/itemindexmodel.h"

class FilterFunc;
class RowFiltersModel;
class Settings;

// An index model that shows only the records its row filters accept (and, over another model, only those that
// model shows). Every change of the filters (value, enabled flag, a change by itself, several filters at once, a
// reset of the set) rebuilds the model at once: one model reset.
class BASIC_VIEWS_EXPORT FilterIndexModel : public ItemIndexModel
{
    Q_OBJECT
public:
    FilterIndexModel(Table* table, QObject* parent = nullptr);
    FilterIndexModel(IndexDependBase* depend, QObject* parent = nullptr);
    ~FilterIndexModel() override;

    void setFilters(RowFiltersModel* filters);
    RowFiltersModel* filtersModel() const { return m_filters; }
    // Takes ownership; the previous function is deleted.
    void setFilterFunc(FilterFunc* function);
    FilterFunc* filterFunc() const { return m_filterFunc; }
    int buildNumber() const { return m_buildNumber; }

    // Reads the filters (without their signals) and compiles the predicate; starts no rebuild.
    void read(const Settings& settings);
    void write(Settings& settings) const;

    bool filter(const Record& record) const override;
    // Whether filter() may read a table field numbered first..last (-1 in either: any field); over another model,
    // always, that model deciding too.
    bool filterReadsFields(int first, int last) const;
    void build() override;
    QString getClassName() const override;
    // Bold for the columns with an enabled filter.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

public Q_SLOTS:
    void filterEnabled(int column, bool enabled);
    void filterChanged(int column);
    void filterAsincChanged(int column);
    void onFiltersChanged();
    void onModelReset();

protected:
    FilterIndexModel(Table* table, QAbstractItemModelPrivate& dd, QObject* parent);
    FilterIndexModel(IndexDependBase* depend, QAbstractItemModelPrivate& dd, QObject* parent);
    // A fresh predicate from the filters; the build number goes up by one.
    void startBuild();

private:
    void setup();

    RowFiltersModel* m_filters = nullptr; // child
    FilterFunc* m_filterFunc = nullptr; // owned
    int m_buildNumber = 0;
};
