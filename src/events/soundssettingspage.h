#pragma once

#include "basic_views_export.h"
#include "events/settingssubwidget.h"
#include "views/iviewsettingspage.h"

#include <QObject>
#include <QPointer>

class QComboBox;
class QGroupBox;
class QSpinBox;

// The settings page of a view's sound alert: on or off, the sound (a file of the sounds directory, which the
// page plays on request) and the delay; it edits the group "SoundEvent" of the view's settings.
class BASIC_VIEWS_EXPORT SoundsSettingsPage : public QObject, public IViewSettingsPage
{
    Q_OBJECT
    Q_INTERFACES(IViewSettingsPage)
public:
    explicit SoundsSettingsPage(QObject* parent = nullptr);

    QString id() const override { return QStringLiteral("Sounds.Sounds"); }
    QString category() const override { return QStringLiteral("Sounds"); }
    QIcon categoryIcon() const override;
    QString displayName() const override;
    QWidget* createPage(const Settings& settings, QWidget* parent) override;
    // Writes "playSound", "sound" and "delay"; then the sub-widget applies itself.
    void apply(Settings& settings) override;
    void finish() override { }

    // Shown as the last row of the group, restored and applied with the page (see SettingsSubWidget).
    void setSubWidget(QWidget* widget, const char* restoreSlot, const char* applySlot);

private:
    void onPlayClicked();

    SettingsSubWidget m_subWidget;
    QPointer<QGroupBox> m_group;
    QPointer<QComboBox> m_sound;
    QPointer<QSpinBox> m_delay;
};
