#include "filters/widgets/quantityfilterwidget.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QSpinBox>

QuantityFilterWidget::QuantityFilterWidget(QWidget* parent)
    : FilterWidget(parent)
    , m_check(new QCheckBox(this))
    , m_spin(new QSpinBox(this))
{
    retranslate();
    m_spin->setRange(0, std::numeric_limits<int>::max());
    m_spin->setEnabled(false);
    connect(m_check, &QCheckBox::toggled, m_spin, &QWidget::setEnabled);
    connect(m_check, &QCheckBox::toggled, this, [this] { notifyChanged(); });
    connect(m_spin, QOverload<int>::of(&QSpinBox::valueChanged), this, [this] { notifyChanged(); });
    auto* row = new QHBoxLayout;
    row->addWidget(m_check);
    row->addWidget(m_spin);
    row->addStretch();
    contentLayout()->addLayout(row);
}

void QuantityFilterWidget::retranslate()
{
    m_check->setText(tr("Количество не менее"));
}
