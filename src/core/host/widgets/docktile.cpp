#include "core/host/widgets/docktile.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QSet>
#include <QWidget>

namespace {

// Remembers the windows with a pending request and forgets each when it is activated or destroyed.
class AlertTracker : public QObject
{
public:
    static AlertTracker* instance()
    {
        static AlertTracker* tracker = new AlertTracker(qApp);
        return tracker;
    }

    void set(QWidget* window, bool on)
    {
        if (on == m_windows.contains(window))
            return;
        if (on) {
            m_windows.insert(window);
            window->installEventFilter(this);
            connect(window, &QObject::destroyed, this, [this, window] { m_windows.remove(window); });
        } else {
            m_windows.remove(window);
            window->removeEventFilter(this);
            disconnect(window, &QObject::destroyed, this, nullptr);
        }
    }
    bool contains(const QWidget* window) const { return m_windows.contains(const_cast<QWidget*>(window)); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowActivate)
            set(static_cast<QWidget*>(watched), false);
        return false;
    }

private:
    using QObject::QObject;
    QSet<QWidget*> m_windows;
};

} // namespace

void DockTile::alert(bool on, QWidget* widget)
{
    if (!widget)
        return;
    QWidget* window = widget->window();
    if (on && window->isActiveWindow())
        return;
    AlertTracker::instance()->set(window, on);
    // Zero keeps the platform's request up until the window is activated.
    if (on)
        QApplication::alert(window, 0);
}

bool DockTile::isAlerting(const QWidget* widget)
{
    return widget && AlertTracker::instance()->contains(widget->window());
}
