#pragma once

#include "trees/view/private/treegroupsviewheadersettingsform.h"
#include "views/iviewsettingspage.h"

#include <QObject>
#include <QPointer>

class TreeGroupsView;

// The columns page of a grouped view ("TreeGroupsView.Header"): the element columns and, per group level, the
// columns of its group rows and their widths (TreeGroupsViewHeaderSettingsForm).
class BASIC_VIEWS_EXPORT TreeGroupsViewHeaderSettingsPage : public QObject, public IViewSettingsPage
{
    Q_OBJECT
    Q_INTERFACES(IViewSettingsPage)
public:
    // The view is not owned.
    TreeGroupsViewHeaderSettingsPage(TreeGroupsView* view, QObject* parent = nullptr);

    QString id() const override;
    QString displayName() const override;
    QString category() const override;
    QIcon categoryIcon() const override;
    QWidget* createPage(const Settings& settings, QWidget* parent) override;
    void apply(Settings& settings) override;
    void finish() override;

    TreeGroupsViewHeaderSettingsForm* form() const { return m_form; }

private:
    QPointer<TreeGroupsView> m_view;
    QPointer<TreeGroupsViewHeaderSettingsForm> m_form;
};
