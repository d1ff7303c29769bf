#include "core/host/editors/dateedit.h"

#include "core/host/editors/refusaltip.h"

namespace {

// The date standing for "none": the editor's minimum, shown as the special value text.
const QDate NoDate(1900, 1, 1);

} // namespace

DateEdit::DateEdit(QWidget* parent)
    : QDateEdit(parent)
{
    setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    setCalendarPopup(true);
    setMinimumDate(NoDate);
    setSpecialValueText(QStringLiteral(" "));
    setDate(QDate::currentDate());
}

QString DateEdit::getValue() const
{
    return hasValue() ? date().toString(Qt::ISODate) : QString();
}

bool DateEdit::setValue(const QString& value)
{
    const QString text = value.trimmed();
    if (text.isEmpty()) {
        clearValue();
        return true;
    }
    QDate parsed = QDate::fromString(text, Qt::ISODate);
    if (!parsed.isValid())
        parsed = QDate::fromString(text, QStringLiteral("dd.MM.yyyy"));
    if (!parsed.isValid() || parsed <= NoDate) {
        const QString reason = tr("«%1» не дата: ожидается ДД.ММ.ГГГГ").arg(text);
        showRefusalTip(this, reason);
        Q_EMIT refused(reason);
        return false;
    }
    setDate(parsed);
    return true;
}

void DateEdit::clearValue()
{
    setDate(NoDate);
}

bool DateEdit::hasValue() const
{
    return date() > NoDate;
}
