#pragma once

#include "core/host/selectors/completingselectorbox.h"

// The counterparty firm of an address (negotiated) order: a firm code from the directory of settlement firms,
// found by typing a part of its code or name.
class BV_HOST_EXPORT PartnerSelectorBox : public CompletingSelectorBox
{
    Q_OBJECT
public:
    explicit PartnerSelectorBox(QWidget* parent = nullptr);

    // False, keeping the previous partner and saying why, for an unknown firm; empty clears.
    bool setPartner(const QString& code);
    // Empty when none is chosen.
    QString getPartner() const { return currentId(); }

protected:
    QString unknownText(const QString& text) const override;
    // A language change names the hint again.
    void changeEvent(QEvent* event) override;

private:
    void reload();
};
