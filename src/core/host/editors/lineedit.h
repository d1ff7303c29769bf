#pragma once

#include "core/host/bv_host_export.h"

#include <QLineEdit>

// The text editor of the terminal's forms, and the base of its number editors: a value read and written as
// text, and a refusal that keeps the previous value and tells the user why under the editor.
class BV_HOST_EXPORT LineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit LineEdit(QWidget* parent = nullptr);

    virtual QString getValue() const;
    // False, keeping the previous value and showing why, when the editor does not accept the text.
    virtual bool setValue(const QString& value);

Q_SIGNALS:
    // The reason an input or a value was refused.
    void refused(const QString& reason);

protected:
    // Shows the reason in a tool tip under the editor and emits refused().
    void refuse(const QString& reason);
};
