#pragma once

#include "filters/widgets/filterwidget.h"

class QRadioButton;
class TechDealsFilterWidgetPrivate;

// The editor of the technical-deals filter. Besides the filter's three modes the form offers "Только RFS
// сделки" (read as all deals: the filter has no such mode) and keeps the indicative-quotes choice hidden.
class BASIC_VIEWS_EXPORT TechDealsFilterWidget : public FilterWidget
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, TechDealsFilterWidget)
public:
    enum Choice { AllDeals, TechnicalOnly, RegularOnly, IndicativeOnly, RfsOnly };
    explicit TechDealsFilterWidget(QWidget* parent = nullptr);

    // The filter's mode: 0, 1 or 2.
    int mode() const;
    void setMode(int mode);
    QRadioButton* choice(Choice choice) const;
};
