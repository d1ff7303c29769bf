#include "events/soundssettingspage.h"

#include "core/db/settings.h"
#include "events/alertdelaybox.h"
#include "events/soundevent.h"
#include "events/soundplayer.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

SoundsSettingsPage::SoundsSettingsPage(QObject* parent)
    : QObject(parent)
{ }

QIcon SoundsSettingsPage::categoryIcon() const
{
    return QIcon(QStringLiteral(":/icons/preferences/sounds.png"));
}

QString SoundsSettingsPage::displayName() const
{
    return tr("Звуки");
}

void SoundsSettingsPage::setSubWidget(QWidget* widget, const char* restoreSlot, const char* applySlot)
{
    m_subWidget.set(widget, restoreSlot, applySlot);
}

QWidget* SoundsSettingsPage::createPage(const Settings& settings, QWidget* parent)
{
    auto* page = new QWidget(parent);
    m_group = new QGroupBox(tr("Оповещать звуком при событии"), page);
    m_group->setCheckable(true);
    m_group->setChecked(settings.value(QStringLiteral("SoundEvent/playSound"), false).toBool());
    auto* grid = new QGridLayout(m_group);

    m_sound = new QComboBox(m_group);
    m_sound->addItems(SoundEvent::soundsDirectory().entryList(QDir::Files, QDir::Name | QDir::IgnoreCase));
    const int stored = m_sound->findText(settings.value(QStringLiteral("SoundEvent/sound")).toString());
    if (stored >= 0)
        m_sound->setCurrentIndex(stored);
    auto* play = new QPushButton(tr("Проиграть"), m_group);
    connect(play, &QPushButton::clicked, this, &SoundsSettingsPage::onPlayClicked);
    grid->addWidget(new QLabel(tr("Звук:"), m_group), 0, 0);
    grid->addWidget(m_sound, 0, 1);
    grid->addWidget(play, 0, 2);

    m_delay = AlertDelayBox::create(settings.value(QStringLiteral("SoundEvent/delay")), m_group);
    grid->addWidget(new QLabel(AlertDelayBox::label(), m_group), 1, 0);
    grid->addWidget(m_delay, 1, 1, 1, 2);
    m_subWidget.place(grid, settings);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_group);
    layout->addStretch();
    return page;
}

void SoundsSettingsPage::onPlayClicked()
{
    if (m_sound && !m_sound->currentText().isEmpty())
        SoundPlayer::instance()->play(SoundEvent::soundsDirectory().filePath(m_sound->currentText()));
}

void SoundsSettingsPage::apply(Settings& settings)
{
    if (!m_group)
        return;
    settings.setValue(QStringLiteral("SoundEvent/playSound"), m_group->isChecked());
    settings.setValue(QStringLiteral("SoundEvent/sound"), m_sound->currentText());
    settings.setValue(QStringLiteral("SoundEvent/delay"), m_delay->value());
    m_subWidget.apply(settings);
}
