#include "views/filtering/filterssettingspage.h"

#include "columns/itemmodelwithdelegates.h"
#include "core/db/settings.h"
#include "core/host/filters/filter.h"
#include "filters/rowfiltersmodel.h"
#include "views/filtering/private/filterssettingspage_p.h"
#include "views/filtering/private/filterssettingswidget.h"

FiltersSettingsPage::FiltersSettingsPage(RowFiltersModel* filters, QObject* parent)
    : QObject(parent)
    , m_d(new FiltersSettingsPagePrivate)
{
    Q_D(FiltersSettingsPage);
    d->filters = filters;
    QStringList names;
    for (const Filter* filter : filters->filters())
        names << filter->name();
    d->searchText = names.join(QLatin1Char(' '));
}

FiltersSettingsPage::~FiltersSettingsPage() = default;

QString FiltersSettingsPage::displayName() const
{
    return tr("Фильтры");
}

QIcon FiltersSettingsPage::categoryIcon() const
{
    return QIcon(QStringLiteral(":/icons/preferences/filter.png"));
}

bool FiltersSettingsPage::matches(const QString& text) const
{
    Q_D(const FiltersSettingsPage);
    return d->searchText.contains(text, Qt::CaseInsensitive);
}

FiltersSettingsWidget* FiltersSettingsPage::widget() const
{
    Q_D(const FiltersSettingsPage);
    return d->widget;
}

QWidget* FiltersSettingsPage::createPage(const Settings& settings, QWidget* parent)
{
    Q_D(FiltersSettingsPage);
    // A window stored without filters keeps the ones it was opened with.
    if (d->filters && settings.childGroups().contains(QStringLiteral("filters")))
        d->filters->read(settings);
    d->widget = new FiltersSettingsWidget(parent);
    d->widget->setFiltersModel(d->filters);
    return d->widget;
}

void FiltersSettingsPage::apply(Settings& settings)
{
    Q_D(FiltersSettingsPage);
    if (!d->filters)
        return;
    if (d->widget)
        d->widget->apply();
    d->filters->write(settings);
}
