#include "core/host/filters/filter.h"

#include "core/host/filters/lambdafilterfunc.h"

Filter::Filter(int column, QObject* parent)
    : Filter(column, -1, parent)
{ }

Filter::Filter(int column, int modelColumn, QObject* parent)
    : QObject(parent)
    , m_column(column)
    , m_modelColumn(modelColumn)
{ }

FilterFunc* Filter::createFilterFunc(QObject* parent) const
{
    return new LambdaFilterFunc([](const Record&) { return true; }, parent);
}

QWidget* Filter::createFilterWidget(QWidget*)
{
    return nullptr;
}

void Filter::apply(QWidget*) { }

void Filter::init(QWidget*) { }

QString Filter::text() const
{
    return value();
}

bool Filter::hasValue() const
{
    return !value().isEmpty();
}

QString Filter::value() const
{
    return QString();
}

void Filter::setValue(const QString&) { }

void Filter::clear()
{
    setValue(QString());
}

void Filter::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    Q_EMIT enabledChanged(enabled);
}
