#pragma once

#include "core/host/filters/filter.h"
#include "core/host/filters/lambdafilterfunc.h"

#include <functional>

// A row filter that is simply a predicate, switched on from the start, for fixtures that need a window showing
// some of a table's rows.
class PredicateFilter : public Filter
{
public:
    explicit PredicateFilter(std::function<bool(const Record&)> accepts, QObject* parent = nullptr)
        : Filter(-1, parent)
        , m_accepts(std::move(accepts))
    {
        setEnabled(true);
    }
    QString name() const override { return QStringLiteral("Условие"); }
    FilterFunc* createFilterFunc(QObject* parent) const override { return new LambdaFilterFunc(m_accepts, parent); }

private:
    std::function<bool(const Record&)> m_accepts;
};
