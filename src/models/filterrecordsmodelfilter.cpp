#include "models/filterrecordsmodelfilter.h"

#include "filters/nofilterfunc.h"

#include <QLabel>

FilterRecordsModelFilter::FilterRecordsModelFilter(int id, QObject* parent)
    : Filter(id, parent)
{ }

FilterFunc* FilterRecordsModelFilter::createFilterFunc(QObject* parent) const
{
    return new NoFilterFunc(parent);
}

QWidget* FilterRecordsModelFilter::createFilterWidget(QWidget* parent)
{
    return new QLabel(tr("Выберите нужные инструменты на странице 'Инструменты'"), parent);
}

QString FilterRecordsModelFilter::name() const
{
    return tr("Инструмент");
}

QString FilterRecordsModelFilter::text() const
{
    return name();
}
