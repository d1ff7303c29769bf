#include "filters/filterlinks.h"

#include "core/host/filters/filter.h"

namespace {

QList<FilterLinks::Link>& links()
{
    static QList<FilterLinks::Link> all;
    return all;
}

QList<FilterLinks::ToolBarEditor>& toolBarEditors()
{
    static QList<FilterLinks::ToolBarEditor> all;
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

void FilterLinks::addToolBarEditor(const ToolBarEditor& maker)
{
    toolBarEditors().append(maker);
}

QWidget* FilterLinks::createToolBarEditor(Filter* filter, QWidget* parent)
{
    for (const ToolBarEditor& maker : qAsConst(toolBarEditors())) {
        if (QWidget* editor = maker(filter, parent))
            return editor;
    }
    return filter->createFilterWidget(parent);
}
