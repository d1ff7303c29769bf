#pragma once

#include "filters/widgets/keycombofilterwidget.h"
#include "filters/widgets/private/filterwidget_p.h"

class KeyComboFilterWidgetPrivate : public FilterWidgetPrivate
{
public:
    QComboBox* box = nullptr;
    QHBoxLayout* row = nullptr;
    QLabel* title = nullptr;
};
