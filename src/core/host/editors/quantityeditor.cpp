#include "core/host/editors/quantityeditor.h"

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
