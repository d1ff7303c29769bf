#pragma once

#include "basic_views_export.h"
#include "views/iviewsettingspage.h"

#include <QObject>
#include <QPointer>

class QCheckBox;

// The general page of a table window's settings: how the rows behave while the trader reads them.
class BASIC_VIEWS_EXPORT TableFastViewSettingsPage : public QObject, public IViewSettingsPage
{
    Q_OBJECT
    Q_INTERFACES(IViewSettingsPage)
public:
    explicit TableFastViewSettingsPage(QObject* parent = nullptr);

    QString id() const override { return QStringLiteral("Table.View"); }
    QString displayName() const override;
    QString category() const override { return QStringLiteral("Table.View"); }
    QIcon categoryIcon() const override;
    QWidget* createPage(const Settings& settings, QWidget* parent) override;
    void apply(Settings& settings) override;
    void finish() override { }

    QCheckBox* holdBox() const;

private:
    QPointer<QCheckBox> m_hold;
};
