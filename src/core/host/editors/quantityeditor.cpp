#include "core/host/editors/quantityeditor.h"

#include <QEvent>

QuantityEditor::QuantityEditor(QWidget* parent)
    : NumberEditor(parent, 0)
{
    setNegativeAllowed(false);
    setPlaceholderText(tr("лоты"));
}

qint64 QuantityEditor::quantity() const
{
    bool ok = false;
    const qint64 lots = getValue().toLongLong(&ok);
    return ok ? lots : -1;
}

void QuantityEditor::changeEvent(QEvent* event)
{
    NumberEditor::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        setPlaceholderText(tr("лоты"));
}
