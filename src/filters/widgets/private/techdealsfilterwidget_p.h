#pragma once

#include "filters/widgets/private/filterwidget_p.h"
#include "filters/widgets/techdealsfilterwidget.h"

class TechDealsFilterWidgetPrivate : public FilterWidgetPrivate
{
public:
    QList<QRadioButton*> choices;
};
