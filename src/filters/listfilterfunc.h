#pragma once

#include "basic_views_export.h"
#include "core/host/filters/filterfunc.h"

#include <QList>

// Passes a record when every child does; stops at the first child that fails, so the order of the children is
// the order of evaluation. The children are its QObject children.
class BASIC_VIEWS_EXPORT ListFilterFunc : public FilterFunc
{
    Q_OBJECT
public:
    using FilterFunc::FilterFunc;
    // A null child (a filter without a predicate) is left out: it would pass everything anyway.
    void append(FilterFunc* child)
    {
        if (child)
            m_children << child;
    }
    const QList<FilterFunc*>& children() const { return m_children; }

    bool filter(const Record& record) const override;
    bool readsFields(int first, int last) const override;
    // "[a, b]"
    QString toString() const override;

private:
    QList<FilterFunc*> m_children; // owned through QObject parenting
};
