#pragma once

#include "core/host/bv_host_export.h"

#include <QDialog>

class QCheckBox;
class QLabel;

// Asks the user to confirm an action, with a "do not ask again" choice. The settings key (in the application's
// own settings, "questionOnAddOrder" for instance) holds whether the user still wants to be asked: true or absent
// asks, false does not.
class BV_HOST_EXPORT ConfirmationDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ConfirmationDialog(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const;
    void setSettingsKey(const QString& key);
    // False once the user chose not to be asked again under the key.
    bool shouldShowDialog() const;
    // Also remembers the "do not ask again" choice of an accepted dialog.
    int exec() override;

    // Asks again under the key.
    static void resetChoice(const QString& key);

private:
    QLabel* m_text;
    QCheckBox* m_dontAsk;
    QString m_key;
};
