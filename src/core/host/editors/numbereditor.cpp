#include "core/host/editors/numbereditor.h"

#include "core/host/editors/numbervalidator.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLocale>

NumberEditor::NumberEditor(QWidget* parent, int decimals)
    : LineEdit(parent)
    , m_validator(new NumberValidator(decimals, this))
{
    setValidator(m_validator);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setStep(decimal());
}

void NumberEditor::setDecimals(int decimals)
{
    m_validator->setDecimals(decimals);
    if (m_step.isEmpty() || m_step.scale() > decimals)
        setStep(decimal());
}

int NumberEditor::decimals() const
{
    return m_validator->decimals();
}

void NumberEditor::setNegativeAllowed(bool allowed)
{
    m_validator->setNegativeAllowed(allowed);
}

void NumberEditor::setStep(const decimal& step)
{
    m_step = step.isEmpty() || step <= decimal::zero() ? decimal(1, m_validator->decimals()) : step;
}

QString NumberEditor::getValue() const
{
    QString input = text();
    int pos = 0;
    if (m_validator->validate(input, pos) != QValidator::Acceptable)
        return QString();
    return m_validator->normalized(input);
}

bool NumberEditor::setValue(const QString& value)
{
    if (value.trimmed().isEmpty()) {
        clear();
        return true;
    }
    QString input = value.trimmed();
    int pos = 0;
    if (m_validator->validate(input, pos) != QValidator::Acceptable) {
        const QString why = m_validator->reason(input);
        refuse(why.isEmpty() ? tr("«%1» не число").arg(value) : why);
        return false;
    }
    setText(display(m_validator->normalized(input)));
    return true;
}

decimal NumberEditor::value() const
{
    const QString normalized = getValue();
    return normalized.isEmpty() ? decimal() : decimal::fromString(normalized);
}

QString NumberEditor::display(const QString& normalized) const
{
    QString shown = normalized;
    return shown.replace(QLatin1Char('.'), QLocale().decimalPoint());
}

QString NumberEditor::textAfterTyping(const QString& typed) const
{
    QString result = text();
    if (hasSelectedText())
        return result.replace(selectionStart(), selectedText().size(), typed);
    return result.insert(cursorPosition(), typed);
}

bool NumberEditor::refuseUnless(const QString& candidate)
{
    QString input = candidate;
    int pos = 0;
    if (m_validator->validate(input, pos) != QValidator::Invalid)
        return false;
    refuse(m_validator->reason(candidate));
    return true;
}

void NumberEditor::stepBy(int steps)
{
    decimal current = value();
    if (current.isEmpty())
        current = decimal::zero();
    decimal next;
    try {
        next = steps > 0 ? current + m_step : current - m_step;
    } catch (const QString& error) {
        refuse(error);
        return;
    }
    if (!m_validator->isNegativeAllowed() && next < decimal::zero())
        next = decimal(0, m_step.scale());
    setValue(next.toString());
    selectAll();
}

void NumberEditor::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        stepBy(event->key() == Qt::Key_Up ? 1 : -1);
        event->accept();
        return;
    }
    // QLineEdit drops a key its validator refuses without a word; say why instead.
    QString typed;
    if (event->matches(QKeySequence::Paste))
        typed = QApplication::clipboard()->text().trimmed();
    else if (!event->text().isEmpty() && event->text().at(0).isPrint())
        typed = event->text();
    if (!typed.isEmpty() && refuseUnless(textAfterTyping(typed))) {
        event->accept();
        return;
    }
    LineEdit::keyPressEvent(event);
}
