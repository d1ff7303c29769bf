#pragma once

#include "filters/widgets/private/filterwidget_p.h"
#include "filters/widgets/quantityfilterwidget.h"

class QuantityFilterWidgetPrivate : public FilterWidgetPrivate
{
public:
    QCheckBox* check = nullptr;
    QSpinBox* spin = nullptr;
};
