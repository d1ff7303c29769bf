#include "core/host/editors/lineedit.h"

#include "core/host/editors/refusaltip.h"

#include <QValidator>

LineEdit::LineEdit(QWidget* parent)
    : QLineEdit(parent)
{ }

QString LineEdit::getValue() const
{
    return text();
}

bool LineEdit::setValue(const QString& value)
{
    if (validator()) {
        QString candidate = value;
        int pos = 0;
        if (validator()->validate(candidate, pos) != QValidator::Acceptable) {
            refuse(tr("Недопустимое значение: %1").arg(value));
            return false;
        }
    }
    setText(value);
    return true;
}

void LineEdit::refuse(const QString& reason)
{
    showRefusalTip(this, reason);
    Q_EMIT refused(reason);
}
