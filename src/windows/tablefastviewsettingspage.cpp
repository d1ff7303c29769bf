#include "windows/tablefastviewsettingspage.h"

#include "core/db/settings.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {
const char* const holdKey = "holdWhileReading";
} // namespace

TableFastViewSettingsPage::TableFastViewSettingsPage(QObject* parent)
    : QObject(parent)
{ }

QCheckBox* TableFastViewSettingsPage::holdBox() const
{
    return m_hold;
}

QString TableFastViewSettingsPage::displayName() const
{
    return tr("Вид");
}

QIcon TableFastViewSettingsPage::categoryIcon() const
{
    return QIcon(QStringLiteral(":/icons/preferences/view.png"));
}

QWidget* TableFastViewSettingsPage::createPage(const Settings& settings, QWidget* parent)
{
    auto* page = new QWidget(parent);
    m_hold = new QCheckBox(tr("Удерживать строки при чтении"), page);
    m_hold->setChecked(settings.value(QLatin1String(holdKey), false).toBool());
    auto* hint = new QLabel(tr("Пока указатель над таблицей или строки просматриваются с клавиатуры, новые, удалённые "
                               "и переместившиеся строки ждут; значения обновляются на месте. Таблица догоняет "
                               "изменения, когда указатель уходит, или по щелчку на счётчике изменений."),
        page);
    hint->setWordWrap(true);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_hold);
    layout->addWidget(hint);
    layout->addStretch();
    return page;
}

void TableFastViewSettingsPage::apply(Settings& settings)
{
    if (m_hold)
        settings.setValue(QLatin1String(holdKey), m_hold->isChecked());
}
