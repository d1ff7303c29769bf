#pragma once

#include "filters/widgets/datefilterwidget.h"
#include "filters/widgets/private/filterwidget_p.h"

class DateFilterWidgetPrivate : public FilterWidgetPrivate
{
public:
    QList<QRadioButton*> choices;
    QCheckBox* fromBox = nullptr;
    QDateEdit* from = nullptr;
    QCheckBox* toBox = nullptr;
    QDateEdit* to = nullptr;
};
