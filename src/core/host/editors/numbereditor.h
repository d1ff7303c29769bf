#pragma once

#include "core/host/editors/lineedit.h"

#include "core/db/decimal.h"

class NumberValidator;

// A price or amount editor: a number with at most `decimals` decimals, typed with the locale's or the plain
// decimal separator. A key that would make the text no such number is refused with the reason, and so is a
// paste or a setValue(); the previous value stays. Up and Down step the value by the step.
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
    // The text the edit would hold if `typed` replaced the selection (or went in at the cursor).
    QString textAfterTyping(const QString& typed) const;
    bool refuseUnless(const QString& candidate);
    void stepBy(int steps);
    QString display(const QString& normalized) const;

    NumberValidator* m_validator;
    decimal m_step;
};
