#pragma once

#include "basic_views_export.h"
#include "views/headersettings/tableheadersettingsform.h"
#include "views/iviewsettingspage.h"

#include <QObject>
#include <QPointer>

class TableHeaderModel;

// The columns page of a window's settings: the window's stored layout read into a column list, edited on the
// form and written back (shown columns and their order; widths stay as stored).
class BASIC_VIEWS_EXPORT TableHeaderSettingsPage : public QObject, public IViewSettingsPage
{
    Q_OBJECT
    Q_INTERFACES(IViewSettingsPage)
public:
    // The model is not owned.
    TableHeaderSettingsPage(TableHeaderModel* model, QObject* parent = nullptr);
    TableHeaderSettingsPage(const QString& id, TableHeaderModel* model, QObject* parent = nullptr);

    QString id() const override { return m_id; }
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

    TableHeaderSettingsForm* form() const { return m_form; }
    TableHeaderModel* model() const { return m_model; }
    void setGroup(const QString& group) { m_group = group; }
    void setDisplayName(const QString& name) { m_displayName = name; }
    void setKeywords(const QString& keywords) { m_keywords = keywords; }

private:
    QString m_id;
    QString m_group;
    QString m_displayName;
    QPointer<TableHeaderSettingsForm> m_form;
    QString m_keywords;
    TableHeaderModel* m_model; // not owned
};
