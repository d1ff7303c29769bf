#include "views/qtablefastscrollbar.h"

QTableFastScrollBar::QTableFastScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QScrollBar(orientation, parent)
{ }

void QTableFastScrollBar::sliderChange(SliderChange change)
{
    QScrollBar::sliderChange(change);
    update();
}
