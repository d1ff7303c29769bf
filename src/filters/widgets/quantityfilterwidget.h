#pragma once

#include "filters/widgets/filterwidget.h"

class QCheckBox;
class QSpinBox;

// The editor of the quantity filter: "Количество не менее" and the minimum.
class BASIC_VIEWS_EXPORT QuantityFilterWidget : public FilterWidget
{
    Q_OBJECT
public:
    explicit QuantityFilterWidget(QWidget* parent = nullptr);
    QCheckBox* check() const { return m_check; }
    QSpinBox* spin() const { return m_spin; }

protected:
    void retranslate() override;

private:
    QCheckBox* m_check;
    QSpinBox* m_spin;
};
