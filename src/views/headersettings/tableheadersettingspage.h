#pragma once

#include "basic_views_export.h"
#include "views/iviewsettingspage.h"

#include <QObject>
#include <QScopedPointer>

class TableHeaderModel;
class TableHeaderSettingsForm;
class TableHeaderSettingsPagePrivate;

// The columns page of a window's settings: the window's stored layout read into a column list, edited on the
// form and written back (shown columns and their order; widths stay as stored).
class BASIC_VIEWS_EXPORT TableHeaderSettingsPage : public QObject, public IViewSettingsPage
{
    Q_OBJECT
    Q_INTERFACES(IViewSettingsPage)
    Q_DECLARE_PRIVATE_D(m_d, TableHeaderSettingsPage)
public:
    // The model is not owned.
    TableHeaderSettingsPage(TableHeaderModel* model, QObject* parent = nullptr);
    TableHeaderSettingsPage(const QString& id, TableHeaderModel* model, QObject* parent = nullptr);
    ~TableHeaderSettingsPage() override;

    QString id() const override;
    QString category() const override;
    QIcon categoryIcon() const override;
    QString displayCategory() const;
    QString displayName() const override;
    // Whether the page's keywords hold the text, whatever its case.
    bool matches(const QString& text) const;

    // Reads the layout (under the page's group, when it has one) into the model.
    QWidget* createPage(const Settings& settings, QWidget* parent) override;
    void apply(Settings& settings) override;
    void finish() override;

    TableHeaderSettingsForm* form() const;
    TableHeaderModel* model() const;
    void setGroup(const QString& group);
    void setDisplayName(const QString& name);
    void setKeywords(const QString& keywords);

private:
    QScopedPointer<TableHeaderSettingsPagePrivate> m_d;
};
