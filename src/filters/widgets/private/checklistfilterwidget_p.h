#pragma once

#include "filters/widgets/checklistfilterwidget.h"
#include "filters/widgets/private/filterwidget_p.h"

class CheckListFilterWidgetPrivate : public FilterWidgetPrivate
{
public:
    SelectorWidget* selector = nullptr; // child
    QStandardItemModel* model = nullptr; // child
};
