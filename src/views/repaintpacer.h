#pragma once

#include "basic_views_export.h"

#include <QObject>
#include <QRegion>
#include <QScopedPointer>

class QWidget;
class RepaintPacerPrivate;

// Paces the repaints a stream of model changes asks of one widget: at most one frame an interval. A change after
// a quiet spell is handed to the widget at once; once the widget has painted, further changes are merged into one
// region and handed over together when the interval is up, so a burst of batches costs one frame, not one per
// batch. Everything else (the trader's clicks, keys, scrolling, resizing) keeps calling the widget's update()
// directly and paints at once. The interval runs from the widget's last paint, whatever caused it.
//
// The waiting region is in the widget's current coordinates: pixels the owner moves at once (scrollNow()) carry
// it along. Pixel moves a model change asks for while a frame waits (scroll()) are not made: their area waits
// for the frame instead, so the pixels on screen never drift from the coordinates of what waits.
//
// A child of the object it serves; its timer is its own, so a frame waiting when the widget goes is
// dropped with it.
class BASIC_VIEWS_EXPORT RepaintPacer : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(RepaintPacer)
    Q_DECLARE_PRIVATE_D(m_d, RepaintPacer)
public:
    // 25 frames a second: what the eye takes for continuous change of numbers, and under a third of the frames a
    // 60 Hz screen could show, so a window never spends more than a fraction of the GUI thread on a stream.
    static constexpr int DefaultIntervalMs = 40;

    RepaintPacer(QWidget* target, QObject* parent);
    ~RepaintPacer() override;

    int interval() const;
    // 0 turns pacing off: every change is handed to the widget at once. A waiting frame keeps its place and
    // comes when the new interval is up.
    void setInterval(int msecs);

    // A model change made `region` stale.
    void update(const QRegion& region);
    void updateAll();
    // A model change moved what `rect` shows by (dx, dy): moved now when nothing waits, else repainted with the
    // next frame.
    void scroll(int dx, int dy, const QRect& rect);
    // Repaints `region` at once, with whatever waits: a change the trader asked for (a re-sort) that also comes
    // back as a model change.
    void updateNow(const QRegion& region);
    // Moves the pixels of `rect` (the whole widget when empty) at once, for the trader's own scrolling.
    void scrollNow(int dx, int dy, const QRect& rect = QRect());

    // A frame was painted less than an interval ago: changes wait for the next.
    bool isHolding() const;
    // What waits for the next frame.
    QRegion waiting() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onFrame();

    QScopedPointer<RepaintPacerPrivate> m_d;
};
