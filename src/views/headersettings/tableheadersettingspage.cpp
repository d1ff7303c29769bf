#include "views/headersettings/tableheadersettingspage.h"

#include "core/db/mapsettings.h"
#include "views/headersettings/private/tableheadersettingsform.h"
#include "views/headersettings/private/tableheadersettingspage_p.h"
#include "views/headersettings/tableheadermodel.h"

TableHeaderSettingsPage::TableHeaderSettingsPage(TableHeaderModel* model, QObject* parent)
    : TableHeaderSettingsPage(QStringLiteral("Table.Header"), model, parent)
{ }

TableHeaderSettingsPage::TableHeaderSettingsPage(const QString& id, TableHeaderModel* model, QObject* parent)
    : QObject(parent)
    , m_d(new TableHeaderSettingsPagePrivate)
{
    Q_D(TableHeaderSettingsPage);
    d->id = id;
    d->model = model;
}

TableHeaderSettingsPage::~TableHeaderSettingsPage() = default;

QString TableHeaderSettingsPage::id() const
{
    Q_D(const TableHeaderSettingsPage);
    return d->id;
}

TableHeaderSettingsForm* TableHeaderSettingsPage::form() const
{
    Q_D(const TableHeaderSettingsPage);
    return d->form;
}

TableHeaderModel* TableHeaderSettingsPage::model() const
{
    Q_D(const TableHeaderSettingsPage);
    return d->model;
}

void TableHeaderSettingsPage::setGroup(const QString& group)
{
    Q_D(TableHeaderSettingsPage);
    d->group = group;
}

void TableHeaderSettingsPage::setDisplayName(const QString& name)
{
    Q_D(TableHeaderSettingsPage);
    d->displayName = name;
}

void TableHeaderSettingsPage::setKeywords(const QString& keywords)
{
    Q_D(TableHeaderSettingsPage);
    d->keywords = keywords;
}

QString TableHeaderSettingsPage::category() const
{
    return QStringLiteral("Table.Header");
}

QIcon TableHeaderSettingsPage::categoryIcon() const
{
    return QIcon(QStringLiteral(":/icons/preferences/columns.png"));
}

QString TableHeaderSettingsPage::displayCategory() const
{
    return tr("Столбцы");
}

QString TableHeaderSettingsPage::displayName() const
{
    Q_D(const TableHeaderSettingsPage);
    return d->displayName.isEmpty() ? tr("Столбцы") : d->displayName;
}

bool TableHeaderSettingsPage::matches(const QString& text) const
{
    Q_D(const TableHeaderSettingsPage);
    return d->keywords.contains(text, Qt::CaseInsensitive);
}

QWidget* TableHeaderSettingsPage::createPage(const Settings& settings, QWidget* parent)
{
    Q_D(TableHeaderSettingsPage);
    if (d->group.isEmpty()) {
        d->model->read(settings);
    } else {
        // The group's keys, seen from the group.
        MapSettings group;
        group.restore(settings, d->group);
        d->model->read(group);
    }
    d->form = new TableHeaderSettingsForm(parent);
    d->form->setModel(d->model);
    return d->form;
}

void TableHeaderSettingsPage::apply(Settings& settings)
{
    Q_D(TableHeaderSettingsPage);
    if (!d->group.isEmpty())
        settings.beginGroup(d->group);
    d->model->write(settings);
    if (!d->group.isEmpty())
        settings.endGroup();
}

void TableHeaderSettingsPage::finish()
{
    Q_D(TableHeaderSettingsPage);
    d->form.clear();
}
