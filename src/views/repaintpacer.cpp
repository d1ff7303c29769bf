#include "views/repaintpacer.h"

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
    , m_target(target)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(DefaultIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &RepaintPacer::onFrame);
    if (target)
        target->installEventFilter(this);
}

RepaintPacer::~RepaintPacer()
{
    if (m_target)
        m_target->removeEventFilter(this);
}

void RepaintPacer::setInterval(int msecs)
{
    m_timer.setInterval(qMax(msecs, 0)); // a running timer starts over with the new interval
    if (msecs <= 0 && m_timer.isActive()) {
        m_timer.stop();
        onFrame();
    }
}

void RepaintPacer::update(const QRegion& region)
{
    if (!m_target)
        return;
    const QRegion stale = region & m_target->rect();
    if (stale.isEmpty())
        return;
    if (!m_timer.isActive()) {
        m_target->update(stale);
        return;
    }
    m_waiting += stale;
    if (m_waiting.rectCount() > MaxWaitingRects)
        m_waiting = m_waiting.boundingRect();
}

void RepaintPacer::updateAll()
{
    if (m_target)
        update(m_target->rect());
}

void RepaintPacer::updateNow(const QRegion& region)
{
    if (m_target)
        m_target->update(region + std::exchange(m_waiting, QRegion()));
}

void RepaintPacer::scroll(int dx, int dy, const QRect& rect)
{
    if (!m_target)
        return;
    if (m_timer.isActive())
        update(rect);
    else
        m_target->scroll(dx, dy, rect);
}

void RepaintPacer::scrollNow(int dx, int dy, const QRect& rect)
{
    if (!m_target)
        return;
    const QRect area = rect.isEmpty() ? m_target->rect() : rect;
    if (!m_waiting.isEmpty()) {
        const QRegion moved = (m_waiting & area).translated(dx, dy) & area;
        m_waiting = (m_waiting - area) + moved;
    }
    if (rect.isEmpty())
        m_target->scroll(dx, dy);
    else
        m_target->scroll(dx, dy, rect);
}

bool RepaintPacer::eventFilter(QObject* watched, QEvent* event)
{
    // The interval runs from a paint of any cause: changes right after it wait, the first after a quiet spell
    // does not.
    if (event->type() == QEvent::Paint && watched == m_target && m_timer.interval() > 0 && !m_timer.isActive())
        m_timer.start();
    return QObject::eventFilter(watched, event);
}

void RepaintPacer::onFrame()
{
    if (m_waiting.isEmpty() || !m_target)
        return;
    m_target->update(std::exchange(m_waiting, QRegion()));
}
