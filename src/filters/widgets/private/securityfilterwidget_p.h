#pragma once

#include "filters/widgets/private/filterwidget_p.h"
#include "filters/widgets/securityfilterwidget.h"

class SecurityFilterWidgetPrivate : public FilterWidgetPrivate
{
public:
    QRadioButton* all = nullptr;
    QRadioButton* one = nullptr;
    QLineEdit* name = nullptr;
    QPushButton* select = nullptr;
    QString textId;
};
