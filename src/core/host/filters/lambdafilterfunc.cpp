#include "core/host/filters/lambdafilterfunc.h"

LambdaFilterFunc::LambdaFilterFunc(std::function<bool(const Record&)> function, QObject* parent)
    : FilterFunc(parent)
    , m_function(std::move(function))
{ }

bool LambdaFilterFunc::filter(const Record& record) const
{
    return m_function && m_function(record);
}
