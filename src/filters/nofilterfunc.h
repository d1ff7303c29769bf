#pragma once

#include "basic_views_export.h"
#include "core/host/filters/filterfunc.h"

// Passes every record: the predicate of a set with no enabled filter.
class BASIC_VIEWS_EXPORT NoFilterFunc : public FilterFunc
{
    Q_OBJECT
public:
    using FilterFunc::FilterFunc;
    bool filter(const Record&) const override { return true; }
    QString toString() const override { return QStringLiteral("NoFilterFunc"); }
    bool readsFields(int, int) const override { return false; }
};
