#pragma once

#include "basic_views_export.h"

#include <QScrollBar>

// The fast view's vertical scroll bar. The view changes its range and value while rows stream in, often with the
// bar's signals blocked; the bar repaints itself on every slider change so that it never shows a stale thumb.
class BASIC_VIEWS_EXPORT QTableFastScrollBar : public QScrollBar
{
    Q_OBJECT
public:
    explicit QTableFastScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    void sliderChange(SliderChange change) override;
};
