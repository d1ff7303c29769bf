#pragma once

#include "events/private/alertsettingspage.h"

#include <QPointer>

class QCheckBox;
class QLineEdit;

// The settings page of a view's visual alert: the delay (when offered), the message put before every text and
// the kinds of alert (the notification window, the taskbar); it edits the group "VisualEvent" of the view's
// settings.
class BASIC_VIEWS_EXPORT VisualEventSettingsPage : public AlertSettingsPage
{
    Q_OBJECT
public:
    explicit VisualEventSettingsPage(QObject* parent = nullptr);

    QString id() const override { return QStringLiteral("VisualEvent.VisualEvent"); }
    QString category() const override { return QStringLiteral("VisualEvent"); }
    QIcon categoryIcon() const override;
    QString displayName() const override;
    QWidget* createPage(const Settings& settings, QWidget* parent) override;
    // Writes "eventType", the message and "delay"; then the sub-widget applies itself.
    void apply(Settings& settings) override;

    void setGroupCaption(const QString& caption) { m_caption = caption; }
    void setDelayAvailable(bool available) { m_delayAvailable = available; }

private:
    QString m_caption;
    bool m_delayAvailable = true;
    QPointer<QSpinBox> m_delay;
    QPointer<QLineEdit> m_message;
    QPointer<QCheckBox> m_window;
    QPointer<QCheckBox> m_taskbar;
};
