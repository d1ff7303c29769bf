#include "filters/filterlinks.h"

namespace {

QList<FilterLinks::Link>& links()
{
    static QList<FilterLinks::Link> all;
    return all;
}

} // namespace

void FilterLinks::add(const Link& link)
{
    links().append(link);
}

void FilterLinks::place(Filter* placed, QWidget* editor, const QList<Filter*>& others,
    const QList<QWidget*>& otherEditors, QObject* context)
{
    for (const Link& link : qAsConst(links()))
        link(placed, editor, others, otherEditors, context);
}
