#include "trees/view/private/treegroupsviewheadersettingspage.h"

#include "trees/view/private/treegroupsviewgroupitemdelegate.h"
#include "trees/view/private/treegroupsviewheadersettingsform.h"
#include "trees/view/treegroupsview.h"

#include <QIcon>
#include <QLabel>

TreeGroupsViewHeaderSettingsPage::TreeGroupsViewHeaderSettingsPage(TreeGroupsView* view, QObject* parent)
    : QObject(parent)
    , m_view(view)
{ }

QString TreeGroupsViewHeaderSettingsPage::id() const
{
    return QStringLiteral("TreeGroupsView.Header");
}

QString TreeGroupsViewHeaderSettingsPage::displayName() const
{
    return tr("Столбцы");
}

QString TreeGroupsViewHeaderSettingsPage::category() const
{
    return QStringLiteral("Table.Header");
}

QIcon TreeGroupsViewHeaderSettingsPage::categoryIcon() const
{
    return QIcon(QStringLiteral(":/icons/preferences/columns.png"));
}

QWidget* TreeGroupsViewHeaderSettingsPage::createPage(const Settings& settings, QWidget* parent)
{
    if (!m_view || !m_view->groupsModel())
        return new QLabel(tr("Окно закрыто"), parent);
    const QPointer<TreeGroupsView> view = m_view;
    const auto defaultWidth
        = [view](int column) { return view ? view->delegateGroup()->defaultWidth(QModelIndex(), column) : 0; };
    m_form = new TreeGroupsViewHeaderSettingsForm(
        m_view->groupsModel(), m_view->groupColumns(), settings, defaultWidth, parent);
    return m_form;
}

void TreeGroupsViewHeaderSettingsPage::apply(Settings& settings)
{
    if (m_form)
        m_form->write(settings);
}

void TreeGroupsViewHeaderSettingsPage::finish()
{
    m_form.clear();
}
