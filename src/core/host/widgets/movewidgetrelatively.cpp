#include "core/host/widgets/movewidgetrelatively.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void moveWidgetRelatively(QWidget* widget, QWidget* anchor, Qt::Alignment alignment)
{
    if (!widget)
        return;
    QScreen* screen = anchor ? anchor->screen() : QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QRect target = anchor ? QRect(anchor->mapToGlobal(QPoint(0, 0)), anchor->size()) : available;
    const QSize size = widget->frameGeometry().size().expandedTo(widget->sizeHint());

    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(target.center());
    if (alignment & Qt::AlignLeft)
        placed.moveRight(target.left() - 1);
    else if (alignment & Qt::AlignRight)
        placed.moveLeft(target.right() + 1);
    if (alignment & Qt::AlignTop)
        placed.moveBottom(target.top() - 1);
    else if (alignment & Qt::AlignBottom)
        placed.moveTop(target.bottom() + 1);

    // Whole on the screen; a widget bigger than the screen keeps its top-left corner visible.
    placed.moveLeft(qMax(available.left(), qMin(placed.left(), available.right() - placed.width() + 1)));
    placed.moveTop(qMax(available.top(), qMin(placed.top(), available.bottom() - placed.height() + 1)));
    widget->move(placed.topLeft());
}
