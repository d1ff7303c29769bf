#pragma once

#include "core/host/editors/numbereditor.h"

// An order quantity in lots: a whole number, not negative; Up and Down add or take one lot.
class BV_HOST_EXPORT QuantityEditor : public NumberEditor
{
    Q_OBJECT
public:
    explicit QuantityEditor(QWidget* parent = nullptr);

    // -1 while the editor holds no number.
    qint64 quantity() const;

protected:
    // A language change names the hint again.
    void changeEvent(QEvent* event) override;
};
