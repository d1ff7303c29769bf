#pragma once

#include "core/host/selectors/completingselectorbox.h"

// A trading account: a client account or a whole brokerage firm, found by typing a part of its code.
class BV_HOST_EXPORT AccountSelectorBox : public CompletingSelectorBox
{
    Q_OBJECT
public:
    explicit AccountSelectorBox(QWidget* parent = nullptr);

    // An order is placed from a client account; a firm's code only names its accounts (a withdrawal's).
    void setFirmsOffered(bool offered);
    // False, keeping the previous account and saying why, for an unknown code; empty clears.
    bool setAccount(const QString& code);
    // Empty when none is chosen.
    QString getAccount() const { return currentId(); }

Q_SIGNALS:
    void changedAccount(const QString& code);

protected:
    QString unknownText(const QString& text) const override;
    // A language change names the hint again.
    void changeEvent(QEvent* event) override;

private:
    void reload();
    void retranslate();

    bool m_firms = true;
};
