#include "views/headersettings/tableheadersettingspage.h"

#include "core/db/mapsettings.h"
#include "views/headersettings/tableheadermodel.h"
#include "views/headersettings/tableheadersettingsform.h"

TableHeaderSettingsPage::TableHeaderSettingsPage(TableHeaderModel* model, QObject* parent)
    : TableHeaderSettingsPage(QStringLiteral("Table.Header"), model, parent)
{ }

TableHeaderSettingsPage::TableHeaderSettingsPage(const QString& id, TableHeaderModel* model, QObject* parent)
    : QObject(parent)
    , m_id(id)
    , m_model(model)
{ }

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
    return m_displayName.isEmpty() ? tr("Столбцы") : m_displayName;
}

bool TableHeaderSettingsPage::matches(const QString& text) const
{
    return m_keywords.contains(text, Qt::CaseInsensitive);
}

QWidget* TableHeaderSettingsPage::createPage(const Settings& settings, QWidget* parent)
{
    if (m_group.isEmpty()) {
        m_model->read(settings);
    } else {
        // The group's keys, seen from the group.
        MapSettings group;
        group.restore(settings, m_group);
        m_model->read(group);
    }
    m_form = new TableHeaderSettingsForm(parent);
    m_form->setModel(m_model);
    return m_form;
}

void TableHeaderSettingsPage::apply(Settings& settings)
{
    if (!m_group.isEmpty())
        settings.beginGroup(m_group);
    m_model->write(settings);
    if (!m_group.isEmpty())
        settings.endGroup();
}

void TableHeaderSettingsPage::finish()
{
    m_form.clear();
}
