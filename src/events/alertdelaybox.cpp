#include "events/alertdelaybox.h"

#include <QSpinBox>

QSpinBox* AlertDelayBox::create(const QVariant& stored, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setRange(1, 999999999);
    box->setValue(stored.isValid() ? stored.toInt() : 10);
    return box;
}

QString AlertDelayBox::label()
{
    return tr("Задержка оповещения (секунд):");
}
