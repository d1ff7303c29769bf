#include "views/repaintpacer.h"

#include "views/private/repaintpacer_p.h"

#include <QEvent>
#include <QWidget>

#include <utility>

namespace {

// Past this many rectangles a waiting region is kept as its bounding rectangle: merging into a region costs in
// proportion to its rectangles, and a burst of scattered cells would otherwise make every merge dearer.
const int MaxWaitingRects = 64;

} // namespace

RepaintPacer::RepaintPacer(QWidget* target, QObject* parent)
    : QObject(parent)
    , m_d(new RepaintPacerPrivate)
{
    Q_D(RepaintPacer);
    d->target = target;
    d->timer.setSingleShot(true);
    d->timer.setInterval(DefaultIntervalMs);
    connect(&d->timer, &QTimer::timeout, this, &RepaintPacer::onFrame);
    if (target)
        target->installEventFilter(this);
}

RepaintPacer::~RepaintPacer()
{
    Q_D(RepaintPacer);
    if (d->target)
        d->target->removeEventFilter(this);
}

int RepaintPacer::interval() const
{
    Q_D(const RepaintPacer);
    return d->timer.interval();
}

bool RepaintPacer::isHolding() const
{
    Q_D(const RepaintPacer);
    return d->timer.isActive();
}

QRegion RepaintPacer::waiting() const
{
    Q_D(const RepaintPacer);
    return d->waiting;
}

void RepaintPacer::setInterval(int msecs)
{
    Q_D(RepaintPacer);
    d->timer.setInterval(qMax(msecs, 0)); // a running timer starts over with the new interval
    if (msecs <= 0 && d->timer.isActive()) {
        d->timer.stop();
        onFrame();
    }
}

void RepaintPacer::update(const QRegion& region)
{
    Q_D(RepaintPacer);
    if (!d->target)
        return;
    const QRegion stale = region & d->target->rect();
    if (stale.isEmpty())
        return;
    if (!d->timer.isActive()) {
        d->target->update(stale);
        return;
    }
    d->waiting += stale;
    if (d->waiting.rectCount() > MaxWaitingRects)
        d->waiting = d->waiting.boundingRect();
}

void RepaintPacer::updateAll()
{
    Q_D(RepaintPacer);
    if (d->target)
        update(d->target->rect());
}

void RepaintPacer::updateNow(const QRegion& region)
{
    Q_D(RepaintPacer);
    if (d->target)
        d->target->update(region + std::exchange(d->waiting, QRegion()));
}

void RepaintPacer::scroll(int dx, int dy, const QRect& rect)
{
    Q_D(RepaintPacer);
    if (!d->target)
        return;
    if (d->timer.isActive())
        update(rect);
    else
        d->target->scroll(dx, dy, rect);
}

void RepaintPacer::scrollNow(int dx, int dy, const QRect& rect)
{
    Q_D(RepaintPacer);
    if (!d->target)
        return;
    const QRect area = rect.isEmpty() ? d->target->rect() : rect;
    if (!d->waiting.isEmpty()) {
        const QRegion moved = (d->waiting & area).translated(dx, dy) & area;
        d->waiting = (d->waiting - area) + moved;
    }
    if (rect.isEmpty())
        d->target->scroll(dx, dy);
    else
        d->target->scroll(dx, dy, rect);
}

bool RepaintPacer::eventFilter(QObject* watched, QEvent* event)
{
    Q_D(RepaintPacer);
    // The interval runs from a paint of any cause: changes right after it wait, the first after a quiet spell
    // does not.
    if (event->type() == QEvent::Paint && watched == d->target && d->timer.interval() > 0 && !d->timer.isActive())
        d->timer.start();
    return QObject::eventFilter(watched, event);
}

void RepaintPacer::onFrame()
{
    Q_D(RepaintPacer);
    if (d->waiting.isEmpty() || !d->target)
        return;
    d->target->update(std::exchange(d->waiting, QRegion()));
}
