#pragma once

#include "basic_views_export.h"
#include "core/host/filters/valuefilter.h"

// A filter whose value is a choice among a fixed set of keys: the keys the user unchecked are excluded, and a
// record is shown unless its key is excluded. The predicate compares raw row bytes when the key columns allow it.
class BASIC_VIEWS_EXPORT EnumFilter : public ValueFilter
{
    Q_OBJECT
public:
    EnumFilter(Table& table, int column, QObject* parent = nullptr);
    EnumFilter(Table& table, int column, const QList<int>& keyColumns, QObject* parent = nullptr);

    // Every possible key, in display order.
    virtual QList<KeyValue> keys() const = 0;
    // The excluded keys (the value of the filter).
    const QList<KeyValue>& excludedKeys() const { return ValueFilter::keys(); }

    bool isFiltering() const { return !isEmpty(); }
    bool isFull() const { return excludedKeys().size() == keys().size(); }
    bool isSingle() const { return excludedKeys().size() == keys().size() - 1; }
    // Shows only the given values ("|"-separated; empty: shows nothing).
    void setInvertValue(const QString& values);
    void removeInvalidKeys();

    FilterFunc* createFilterFunc(QObject* parent) const override;
    QWidget* createFilterWidget(QWidget* parent) override;
    void init(QWidget* widget) override;
    void apply(QWidget* widget) override;
};
