#include "core/host/widgets/combobox.h"

#include <QWheelEvent>

ComboBox::ComboBox(QWidget* parent)
    : QComboBox(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(8);
}

bool ComboBox::setCurrentData(const QVariant& data, int role)
{
    const int row = findData(data, role);
    if (row < 0)
        return false;
    setCurrentIndex(row);
    return true;
}

void ComboBox::wheelEvent(QWheelEvent* event)
{
    if (hasFocus())
        QComboBox::wheelEvent(event);
    else
        event->ignore();
}
