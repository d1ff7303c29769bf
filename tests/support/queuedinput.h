#pragma once

#include <QWidget>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

// A click as the window system delivers it: queued with the platform's input, so that code holding the user's
// input back (QEventLoop::ExcludeUserInputEvents) holds it back too. QTest's clicks are delivered at once.
inline void queueClick(QWidget* widget)
{
    QWindow* window = widget->window()->windowHandle();
    const QPoint local = widget->mapTo(widget->window(), widget->rect().center());
    const QPoint global = widget->mapToGlobal(widget->rect().center());
    using Input = QWindowSystemInterface;
    Input::handleMouseEvent<Input::AsynchronousDelivery>(
        window, local, global, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
    Input::handleMouseEvent<Input::AsynchronousDelivery>(
        window, local, global, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
}
