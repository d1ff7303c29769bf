#include "events/private/soundssettingspage.h"

#include "core/db/settings.h"
#include "events/soundevent.h"
#include "events/soundplayer.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

SoundsSettingsPage::SoundsSettingsPage(QObject* parent)
    : AlertSettingsPage(parent)
{ }

QIcon SoundsSettingsPage::categoryIcon() const
{
    return QIcon(QStringLiteral(":/icons/preferences/sounds.png"));
}

QString SoundsSettingsPage::displayName() const
{
    return tr("Звуки");
}

QWidget* SoundsSettingsPage::createPage(const Settings& settings, QWidget* parent)
{
    m_group = new QGroupBox(tr("Оповещать звуком при событии"));
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
    m_delay = addDelay(grid, 1, settings.value(QStringLiteral("SoundEvent/delay")));
    return framePage(m_group, grid, settings, parent);
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
    applySubWidget(settings);
}
