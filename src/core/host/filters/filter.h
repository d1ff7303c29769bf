#pragma once

#include "core/host/bv_host_export.h"

#include <QObject>

class FilterFunc;
class QWidget;

// A named, persistable row filter on one column: an enabled flag, its table column and the model column it is
// shown on (each -1 when none), a value in a persisted string form, and the predicate it makes.
class BV_HOST_EXPORT Filter : public QObject
{
    Q_OBJECT
public:
    explicit Filter(int column, QObject* parent = nullptr);
    Filter(int column, int modelColumn, QObject* parent = nullptr);

    int column() const { return m_column; }
    int modelColumn() const { return m_modelColumn; }
    bool isEnabled() const { return m_enabled; }

    // The predicate of the current value, owned through `parent`; accepts everything by default.
    virtual FilterFunc* createFilterFunc(QObject* parent) const;
    // An editor of the value; none by default.
    virtual QWidget* createFilterWidget(QWidget* parent);
    // Reads the editor into the filter / fills the editor from the filter.
    virtual void apply(QWidget* widget);
    virtual void init(QWidget* widget);
    // A short text of the current value.
    virtual QString text() const;
    virtual QString name() const = 0;
    virtual bool hasValue() const;
    virtual QString value() const;
    virtual void setValue(const QString& value);
    virtual void clear();
    // Emits enabledChanged() when the state changes.
    virtual void setEnabled(bool enabled);

Q_SIGNALS:
    // The value changed by itself (a new day, new sessions, another market): predicates must be remade.
    void asincChanged();
    void enabledChanged(bool enabled);

private:
    int m_column;
    int m_modelColumn;
    bool m_enabled = false;
};
