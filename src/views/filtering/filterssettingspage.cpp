#include "views/filtering/filterssettingspage.h"

#include "columns/itemmodelwithdelegates.h"
#include "core/db/settings.h"
#include "core/host/filters/filter.h"
#include "filters/rowfiltersmodel.h"
#include "views/filtering/filterssettingswidget.h"

FiltersSettingsPage::FiltersSettingsPage(RowFiltersModel* filters, QObject* parent)
    : QObject(parent)
    , m_filters(filters)
{
    QStringList names;
    for (const Filter* filter : filters->filters())
        names << filter->name();
    m_searchText = names.join(QLatin1Char(' '));
}

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
    return m_searchText.contains(text, Qt::CaseInsensitive);
}

FiltersSettingsWidget* FiltersSettingsPage::widget() const
{
    return m_widget;
}

QWidget* FiltersSettingsPage::createPage(const Settings& settings, QWidget* parent)
{
    // A window stored without filters keeps the ones it was opened with.
    if (m_filters && settings.childGroups().contains(QStringLiteral("filters")))
        m_filters->read(settings);
    m_widget = new FiltersSettingsWidget(parent);
    m_widget->setFiltersModel(m_filters);
    return m_widget;
}

void FiltersSettingsPage::apply(Settings& settings)
{
    if (!m_filters)
        return;
    if (m_widget)
        m_widget->apply();
    m_filters->write(settings);
}
