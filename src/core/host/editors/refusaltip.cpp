#include "core/host/editors/refusaltip.h"

#include <QToolTip>
#include <QWidget>

void showRefusalTip(QWidget* editor, const QString& reason)
{
    if (!editor->isVisible())
        return;
    // Beside the editor, on its own row: under it the tip would catch the click meant for the next field.
    // QToolTip puts a tip 16 pixels under the point it is given, so the point is raised by as much.
    const int below = 16;
    QToolTip::showText(editor->mapToGlobal(QPoint(editor->width(), -below)), reason, editor);
}
