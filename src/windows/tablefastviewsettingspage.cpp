#include "windows/tablefastviewsettingspage.h"

#include "core/db/settings.h"
#include "windows/private/tablefastviewsettingspage_p.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {
const char* const holdKey = "holdWhileReading";
} // namespace

TableFastViewSettingsPage::TableFastViewSettingsPage(QObject* parent)
    : QObject(parent)
    , m_d(new TableFastViewSettingsPagePrivate)
{ }

TableFastViewSettingsPage::~TableFastViewSettingsPage() = default;

QCheckBox* TableFastViewSettingsPage::holdBox() const
{
    Q_D(const TableFastViewSettingsPage);
    return d->hold;
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
    Q_D(TableFastViewSettingsPage);
    auto* page = new QWidget(parent);
    d->hold = new QCheckBox(tr("Удерживать строки при чтении"), page);
    d->hold->setChecked(settings.value(QLatin1String(holdKey), false).toBool());
    auto* hint = new QLabel(tr("Пока указатель над таблицей или строки просматриваются с клавиатуры, новые, удалённые "
                               "и переместившиеся строки ждут; значения обновляются на месте. Таблица догоняет "
                               "изменения, когда указатель уходит, или по щелчку на счётчике изменений."),
        page);
    hint->setWordWrap(true);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(d->hold);
    layout->addWidget(hint);
    layout->addStretch();
    return page;
}

void TableFastViewSettingsPage::apply(Settings& settings)
{
    Q_D(TableFastViewSettingsPage);
    if (d->hold)
        settings.setValue(QLatin1String(holdKey), d->hold->isChecked());
}
