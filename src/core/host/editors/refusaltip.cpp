#include "core/host/editors/refusaltip.h"

#include <QToolTip>
#include <QWidget>

void showRefusalTip(QWidget* editor, const QString& reason)
{
    if (editor->isVisible())
        QToolTip::showText(editor->mapToGlobal(editor->rect().bottomLeft()), reason, editor);
}
