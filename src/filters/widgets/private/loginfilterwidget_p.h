#pragma once

#include "filters/widgets/loginfilterwidget.h"
#include "filters/widgets/private/filterwidget_p.h"

class LoginFilterWidgetPrivate : public FilterWidgetPrivate
{
public:
    QRadioButton* all = nullptr;
    QRadioButton* one = nullptr;
    QComboBox* box = nullptr;
};
