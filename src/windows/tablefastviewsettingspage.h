#pragma once

#include "basic_views_export.h"
#include "views/iviewsettingspage.h"

#include <QObject>
#include <QScopedPointer>

class QCheckBox;
class TableFastViewSettingsPagePrivate;

// The general page of a table window's settings: how the rows behave while the trader reads them.
class BASIC_VIEWS_EXPORT TableFastViewSettingsPage : public QObject, public IViewSettingsPage
{
    Q_OBJECT
    Q_INTERFACES(IViewSettingsPage)
    Q_DECLARE_PRIVATE_D(m_d, TableFastViewSettingsPage)
public:
    explicit TableFastViewSettingsPage(QObject* parent = nullptr);
    ~TableFastViewSettingsPage() override;

    QString id() const override { return QStringLiteral("Table.View"); }
    QString displayName() const override;
    QString category() const override { return QStringLiteral("Table.View"); }
    QIcon categoryIcon() const override;
    QWidget* createPage(const Settings& settings, QWidget* parent) override;
    void apply(Settings& settings) override;
    void finish() override { }

    QCheckBox* holdBox() const;

private:
    QScopedPointer<TableFastViewSettingsPagePrivate> m_d;
};
