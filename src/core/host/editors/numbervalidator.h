#pragma once

#include "core/host/bv_host_export.h"

#include <QValidator>

// A fixed-point number with at most a given number of decimals. Both the locale's decimal separator and the
// plain ones ('.' and ',') are accepted, so a number typed or pasted either way is taken as meant.
class BV_HOST_EXPORT NumberValidator : public QValidator
{
    Q_OBJECT
public:
    NumberValidator(int decimals, QObject* parent = nullptr);

    void setDecimals(int decimals);
    int decimals() const { return m_decimals; }
    void setNegativeAllowed(bool allowed);
    bool isNegativeAllowed() const { return m_negative; }

    State validate(QString& input, int& pos) const override;
    // Why an input is not acceptable, in words for the user; empty for an acceptable or unfinished one.
    QString reason(const QString& input) const;
    // The input with '.' as its separator ("12,5" -> "12.5"); the input itself when it is not a number.
    QString normalized(const QString& input) const;

private:
    State check(const QString& input, QString* why) const;

    int m_decimals;
    bool m_negative = false;
};
