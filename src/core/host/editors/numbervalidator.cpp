#include "core/host/editors/numbervalidator.h"

#include <QLocale>

namespace {

bool isSeparator(QChar c)
{
    return c == QLatin1Char('.') || c == QLatin1Char(',') || c == QLocale().decimalPoint();
}

// "не более одного знака", but "не более двух знаков".
QString tooManyDecimals(int decimals)
{
    if (decimals % 10 == 1 && decimals % 100 != 11)
        return NumberValidator::tr("Допустимо не более %1 знака после запятой").arg(decimals);
    return NumberValidator::tr("Допустимо не более %1 знаков после запятой").arg(decimals);
}

} // namespace

NumberValidator::NumberValidator(int decimals, QObject* parent)
    : QValidator(parent)
    , m_decimals(qMax(0, decimals))
{ }

void NumberValidator::setDecimals(int decimals)
{
    m_decimals = qMax(0, decimals);
    Q_EMIT changed();
}

void NumberValidator::setNegativeAllowed(bool allowed)
{
    m_negative = allowed;
    Q_EMIT changed();
}

QValidator::State NumberValidator::validate(QString& input, int&) const
{
    return check(input, nullptr);
}

QString NumberValidator::reason(const QString& input) const
{
    QString why;
    check(input, &why);
    return why;
}

QString NumberValidator::normalized(const QString& input) const
{
    if (check(input, nullptr) == Invalid)
        return input;
    QString text = input.trimmed();
    for (QChar& c : text) {
        if (isSeparator(c))
            c = QLatin1Char('.');
    }
    return text;
}

QValidator::State NumberValidator::check(const QString& input, QString* why) const
{
    const auto refuse = [why](const QString& reason) {
        if (why)
            *why = reason;
        return Invalid;
    };
    const QString& text = input;
    int digits = 0;
    int fraction = -1; // digits after the separator; -1 while there is none
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('-') && i == 0) {
            if (!m_negative)
                return refuse(tr("Отрицательное значение недопустимо"));
        } else if (c.isDigit()) {
            ++digits;
            if (fraction >= 0 && ++fraction > m_decimals)
                return refuse(m_decimals == 0 ? tr("Допустимо только целое число") : tooManyDecimals(m_decimals));
        } else if (isSeparator(c)) {
            if (m_decimals == 0)
                return refuse(tr("Допустимо только целое число"));
            if (fraction >= 0)
                return refuse(tr("В числе может быть только один разделитель"));
            fraction = 0;
        } else {
            return refuse(tr("Введите число: «%1» не цифра").arg(c));
        }
    }
    // 18 digits is as much as the terminal's fixed-point numbers hold.
    if (digits > 18)
        return refuse(tr("Слишком длинное число"));
    if (digits == 0 || fraction == 0)
        return Intermediate;
    return Acceptable;
}
