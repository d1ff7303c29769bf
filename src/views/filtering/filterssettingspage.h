#pragma once

#include "basic_views_export.h"
#include "views/iviewsettingspage.h"

#include <QObject>
#include <QScopedPointer>

class FiltersSettingsPagePrivate;
class FiltersSettingsWidget;
class RowFiltersModel;

// The filters page of a window's settings: the window's stored filters read into its filter set and edited in
// a FiltersSettingsWidget; applying writes them back.
class BASIC_VIEWS_EXPORT FiltersSettingsPage : public QObject, public IViewSettingsPage
{
    Q_OBJECT
    Q_INTERFACES(IViewSettingsPage)
    Q_DECLARE_PRIVATE_D(m_d, FiltersSettingsPage)
public:
    // The set is not owned.
    explicit FiltersSettingsPage(RowFiltersModel* filters, QObject* parent = nullptr);
    ~FiltersSettingsPage() override;

    QString id() const override { return QStringLiteral("Table.RowFilters"); }
    QString displayName() const override;
    QString category() const override { return QStringLiteral("Table.RowFilters"); }
    QIcon categoryIcon() const override;
    // Whether the names of the filters hold the text, whatever its case.
    bool matches(const QString& text) const;
    QWidget* createPage(const Settings& settings, QWidget* parent) override;
    void apply(Settings& settings) override;
    void finish() override { }

    FiltersSettingsWidget* widget() const;

private:
    QScopedPointer<FiltersSettingsPagePrivate> m_d;
};
