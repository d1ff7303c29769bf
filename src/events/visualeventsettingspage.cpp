#include "events/visualeventsettingspage.h"

#include "core/db/settings.h"
#include "events/alertdelaybox.h"
#include "events/visualevent.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

VisualEventSettingsPage::VisualEventSettingsPage(QObject* parent)
    : QObject(parent)
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

void VisualEventSettingsPage::setSubWidget(QWidget* widget, const char* restoreSlot, const char* applySlot)
{
    m_subWidget.set(widget, restoreSlot, applySlot);
}

QWidget* VisualEventSettingsPage::createPage(const Settings& settings, QWidget* parent)
{
    auto* page = new QWidget(parent);
    m_group = new QGroupBox(m_caption, page);
    auto* grid = new QGridLayout(m_group);
    m_delay = AlertDelayBox::create(settings.value(QStringLiteral("VisualEvent/delay")), m_group);
    auto* delayLabel = new QLabel(AlertDelayBox::label(), m_group);
    grid->addWidget(delayLabel, 0, 0);
    grid->addWidget(m_delay, 0, 1);
    delayLabel->setVisible(m_delayAvailable);
    m_delay->setVisible(m_delayAvailable);

    m_message
        = new QLineEdit(settings.value(QStringLiteral("VisualEvent/") + VisualEvent::messageKey()).toString(), m_group);
    grid->addWidget(new QLabel(tr("Сообщение:"), m_group), 1, 0);
    grid->addWidget(m_message, 1, 1);

    auto* types = new QGroupBox(tr("Тип оповещения"), m_group);
    const unsigned type = settings.value(QStringLiteral("VisualEvent/eventType"), 0u).toUInt();
    m_window = new QCheckBox(tr("Оповещение в окне ошибок и уведомлений"), types);
    m_window->setChecked(type & VisualEvent::NotificationWindow);
    m_taskbar = new QCheckBox(tr("Оповещение в панели задач"), types);
    m_taskbar->setChecked(type & VisualEvent::TaskbarAlert);
    auto* typesLayout = new QVBoxLayout(types);
    typesLayout->addWidget(m_window);
    typesLayout->addWidget(m_taskbar);
    grid->addWidget(types, 2, 0, 1, 2);
    m_subWidget.place(grid, settings);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_group);
    layout->addStretch();
    return page;
}

void VisualEventSettingsPage::apply(Settings& settings)
{
    if (!m_group)
        return;
    unsigned type = VisualEvent::NoEvent;
    if (m_window->isChecked())
        type |= VisualEvent::NotificationWindow;
    if (m_taskbar->isChecked())
        type |= VisualEvent::TaskbarAlert;
    settings.setValue(QStringLiteral("VisualEvent/eventType"), type);
    settings.setValue(QStringLiteral("VisualEvent/") + VisualEvent::messageKey(), m_message->text());
    settings.setValue(QStringLiteral("VisualEvent/delay"), m_delay->value());
    m_subWidget.apply(settings);
}
