#include "views/find/private/itemviewfilter.h"

#include "filters/nofilterfunc.h"
#include "filters/private/itemviewfilterfunc.h"
#include "models/filterindexmodel.h"
#include "views/find/itemviewfind.h"

ItemViewFilter::ItemViewFilter(ItemViewFind* find, QObject* parent)
    : Filter(-1, parent)
    , m_find(find)
{ }

FilterFunc* ItemViewFilter::createFilterFunc(QObject* parent) const
{
    if (m_text.isEmpty() || !m_find || !m_find->view())
        return new NoFilterFunc(parent);
    const ItemViewTextMatch match(m_find->view(), m_text);
    return new ItemViewFilterFunc(match, m_find->filterIndexModel(), m_find->columnList(), parent);
}

QString ItemViewFilter::name() const
{
    return tr("Поиск");
}
