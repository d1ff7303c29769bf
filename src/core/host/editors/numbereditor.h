#pragma once

#include "core/host/editors/lineedit.h"

#include "core/db/decimal.h"

class NumberValidator;

// A price or amount editor: a number with at most `decimals` decimals, typed with the locale's or the plain
// decimal separator. What the user types or pastes stays as typed: an entry that is no such number (a separator
// where no decimals are allowed, a letter, one decimal too many) is refused as a whole, with the reason shown
// and the text in red, and the editor holds no value until it is corrected; a refused character never turns the
// entry into another number. A setValue() that is no such number is refused and the previous value stays. Up
// and Down step the value by the step.
class BV_HOST_EXPORT NumberEditor : public LineEdit
{
    Q_OBJECT
public:
    explicit NumberEditor(QWidget* parent = nullptr, int decimals = 2);

    void setDecimals(int decimals);
    int decimals() const;
    void setNegativeAllowed(bool allowed);
    // The Up/Down step; by default one unit of the last decimal.
    void setStep(const decimal& step);
    decimal step() const { return m_step; }

    // The number with '.' as separator; empty while the editor holds no complete number.
    QString getValue() const override;
    // Takes either separator; shows the number with the locale's one.
    bool setValue(const QString& value) override;
    // The empty decimal while there is no complete number.
    decimal value() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void onTextEdited(const QString& text);
    void showValidity();
    void stepBy(int steps);
    QString display(const QString& normalized) const;

    NumberValidator* m_validator;
    decimal m_step;
    bool m_showsRefused = false;
};
