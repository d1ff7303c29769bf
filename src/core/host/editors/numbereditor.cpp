#include "core/host/editors/numbereditor.h"

#include "core/host/editors/numbervalidator.h"

#include <QKeyEvent>
#include <QLocale>

NumberEditor::NumberEditor(QWidget* parent, int decimals)
    : LineEdit(parent)
    , m_validator(new NumberValidator(decimals, this))
{
    // No validator on the line edit: it would drop a refused key silently and keep the keys after it, which
    // makes another number of the entry ("92724.5" becoming 927245).
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setStep(decimal());
    connect(this, &QLineEdit::textEdited, this, &NumberEditor::onTextEdited);
    connect(this, &QLineEdit::textChanged, this, &NumberEditor::showValidity);
}

void NumberEditor::setDecimals(int decimals)
{
    m_validator->setDecimals(decimals);
    if (m_step.isEmpty() || m_step.scale() > decimals)
        setStep(decimal());
    showValidity();
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

void NumberEditor::onTextEdited(const QString& text)
{
    QString input = text;
    int pos = 0;
    if (m_validator->validate(input, pos) == QValidator::Invalid)
        refuse(m_validator->reason(text));
}

void NumberEditor::showValidity()
{
    QString input = text();
    int pos = 0;
    const bool refused = m_validator->validate(input, pos) == QValidator::Invalid;
    if (refused == m_showsRefused)
        return;
    m_showsRefused = refused;
    setStyleSheet(refused ? QStringLiteral("color: red") : QString());
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
    LineEdit::keyPressEvent(event);
}
