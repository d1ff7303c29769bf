#include "filters/widgets/quantityfilterwidget.h"

#include "filters/widgets/private/quantityfilterwidget_p.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QSpinBox>

QuantityFilterWidget::QuantityFilterWidget(QWidget* parent)
    : FilterWidget(*new QuantityFilterWidgetPrivate, parent)
{
    Q_D(QuantityFilterWidget);
    d->check = new QCheckBox(this);
    d->spin = new QSpinBox(this);
    retranslate();
    d->spin->setRange(0, std::numeric_limits<int>::max());
    d->spin->setEnabled(false);
    connect(d->check, &QCheckBox::toggled, d->spin, &QWidget::setEnabled);
    connect(d->check, &QCheckBox::toggled, this, [this] { notifyChanged(); });
    connect(d->spin, QOverload<int>::of(&QSpinBox::valueChanged), this, [this] { notifyChanged(); });
    auto* row = new QHBoxLayout;
    row->addWidget(d->check);
    row->addWidget(d->spin);
    row->addStretch();
    contentLayout()->addLayout(row);
}

void QuantityFilterWidget::retranslate()
{
    Q_D(QuantityFilterWidget);
    d->check->setText(tr("Количество не менее"));
}

QCheckBox* QuantityFilterWidget::check() const
{
    return d_func()->check;
}

QSpinBox* QuantityFilterWidget::spin() const
{
    return d_func()->spin;
}
