#pragma once

#include "events/private/alertsettingspage.h"

#include <QPointer>

class QComboBox;

// The settings page of a view's sound alert: on or off, the sound (a file of the sounds directory, which the
// page plays on request) and the delay; it edits the group "SoundEvent" of the view's settings.
class BASIC_VIEWS_EXPORT SoundsSettingsPage : public AlertSettingsPage
{
    Q_OBJECT
public:
    explicit SoundsSettingsPage(QObject* parent = nullptr);

    QString id() const override { return QStringLiteral("Sounds.Sounds"); }
    QString category() const override { return QStringLiteral("Sounds"); }
    QIcon categoryIcon() const override;
    QString displayName() const override;
    QWidget* createPage(const Settings& settings, QWidget* parent) override;
    // Writes "playSound", "sound" and "delay"; then the sub-widget applies itself.
    void apply(Settings& settings) override;

private:
    void onPlayClicked();

    QPointer<QGroupBox> m_group;
    QPointer<QComboBox> m_sound;
    QPointer<QSpinBox> m_delay;
};
