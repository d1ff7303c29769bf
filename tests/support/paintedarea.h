#pragma once

#include <QEvent>
#include <QObject>
#include <QPaintEvent>
#include <QRegion>

// Installed on a viewport, counts its paint events and adds up the area they cover: what a change really made the
// widget redraw.
class PaintedArea : public QObject
{
public:
    qint64 area = 0;
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region())
                area += qint64(r.width()) * r.height();
        }
        return false;
    }
};
