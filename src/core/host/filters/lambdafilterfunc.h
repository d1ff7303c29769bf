#pragma once

#include "core/host/filters/filterfunc.h"

#include <functional>

// A predicate given as a function; the function must be safe to call from several threads.
class BV_HOST_EXPORT LambdaFilterFunc : public FilterFunc
{
    Q_OBJECT
public:
    LambdaFilterFunc(std::function<bool(const Record&)> function, QObject* parent = nullptr);
    bool filter(const Record& record) const override;

private:
    std::function<bool(const Record&)> m_function;
};
