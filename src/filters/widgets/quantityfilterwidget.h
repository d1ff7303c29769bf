#pragma once

#include "filters/widgets/filterwidget.h"

class QCheckBox;
class QSpinBox;
class QuantityFilterWidgetPrivate;

// The editor of the quantity filter: "Количество не менее" and the minimum.
class BASIC_VIEWS_EXPORT QuantityFilterWidget : public FilterWidget
{
    Q_OBJECT
    Q_DECLARE_PRIVATE_D(m_d, QuantityFilterWidget)
public:
    explicit QuantityFilterWidget(QWidget* parent = nullptr);
    QCheckBox* check() const;
    QSpinBox* spin() const;

protected:
    void retranslate() override;
};
