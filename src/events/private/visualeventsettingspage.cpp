#include "events/private/visualeventsettingspage.h"

#include "core/db/settings.h"
#include "events/visualevent.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

VisualEventSettingsPage::VisualEventSettingsPage(QObject* parent)
    : AlertSettingsPage(parent)
    , m_caption(tr("Оповещать визуально при событии"))
{
    VisualEvent::messageKey();
}

QIcon VisualEventSettingsPage::categoryIcon() const
{
    return QIcon(QStringLiteral(":/icons/preferences/alert.png"));
}

QString VisualEventSettingsPage::displayName() const
{
    return tr("Визуальные оповещения");
}

QWidget* VisualEventSettingsPage::createPage(const Settings& settings, QWidget* parent)
{
    auto* group = new QGroupBox(m_caption);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(tr("Сообщение:"), group), 1, 0);
    m_message
        = new QLineEdit(settings.value(QStringLiteral("VisualEvent/") + VisualEvent::messageKey()).toString(), group);
    grid->addWidget(m_message, 1, 1);
    m_delay = addDelay(grid, 0, settings.value(QStringLiteral("VisualEvent/delay")));
    for (QWidget* delayRow : { grid->itemAtPosition(0, 0)->widget(), static_cast<QWidget*>(m_delay) })
        delayRow->setVisible(m_delayAvailable);

    auto* types = new QGroupBox(tr("Тип оповещения"), group);
    const unsigned type = settings.value(QStringLiteral("VisualEvent/eventType"), 0u).toUInt();
    m_window = new QCheckBox(tr("Оповещение в окне ошибок и уведомлений"), types);
    m_window->setChecked(type & VisualEvent::NotificationWindow);
    m_taskbar = new QCheckBox(tr("Оповещение в панели задач"), types);
    m_taskbar->setChecked(type & VisualEvent::TaskbarAlert);
    auto* typesLayout = new QVBoxLayout(types);
    typesLayout->addWidget(m_window);
    typesLayout->addWidget(m_taskbar);
    grid->addWidget(types, 2, 0, 1, 2);
    return framePage(group, grid, settings, parent);
}

void VisualEventSettingsPage::apply(Settings& settings)
{
    if (!m_message)
        return;
    unsigned type = VisualEvent::NoEvent;
    if (m_window->isChecked())
        type |= VisualEvent::NotificationWindow;
    if (m_taskbar->isChecked())
        type |= VisualEvent::TaskbarAlert;
    settings.setValue(QStringLiteral("VisualEvent/eventType"), type);
    settings.setValue(QStringLiteral("VisualEvent/") + VisualEvent::messageKey(), m_message->text());
    settings.setValue(QStringLiteral("VisualEvent/delay"), m_delay->value());
    applySubWidget(settings);
}
